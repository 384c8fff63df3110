#include "platform/mount_table.h"

#include <mntent.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/file_io.h"

namespace tesmora::platform {

namespace {

constexpr std::array<std::string_view, 10> kNetworkTypes{
    "nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "sshfs", "9p", "afs", "ncpfs"};

// Disk images of packaged applications: mounted from block devices, but no
// place for a user's files.
constexpr std::array<std::string_view, 2> kImageTypes{"squashfs", "erofs"};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsUnder(std::string_view path, std::string_view folder) {
  return StartsWith(path, folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

bool IsNetworkType(std::string_view type) {
  // nfs3, fuse.sshfs and the like: the family decides.
  return std::find(kNetworkTypes.begin(), kNetworkTypes.end(), type) != kNetworkTypes.end() ||
         StartsWith(type, "nfs");
}

std::string LastComponent(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  const std::size_t slash = path.rfind('/');
  const std::string_view last = slash == std::string_view::npos ? path : path.substr(slash + 1);
  return last.empty() ? std::string(path) : std::string(last);
}

// The kernel's block device name of a device path, symbolic links followed.
std::string BlockName(const std::string& device) {
  char* real = ::realpath(device.c_str(), nullptr);
  const std::string resolved = real != nullptr ? real : device;
  ::free(real);
  return LastComponent(resolved);
}

bool ReadsOne(const std::string& path) {
  const std::optional<std::string> content = ReadWholeFile(path);
  return content && !content->empty() && (*content)[0] == '1';
}

// A partition (sdb1, mmcblk0p1, nvme0n1p2) is removable when its disk is.
bool IsRemovableDevice(const std::string& sysRoot, const std::string& device) {
  std::string name = BlockName(device);
  if (name.empty()) return false;
  if (ReadsOne(sysRoot + "/block/" + name + "/removable")) return true;
  while (!name.empty() && std::isdigit(static_cast<unsigned char>(name.back()))) name.pop_back();
  if (name.size() > 1 && name.back() == 'p' &&
      std::isdigit(static_cast<unsigned char>(name[name.size() - 2]))) {
    name.pop_back();
  }
  return !name.empty() && ReadsOne(sysRoot + "/block/" + name + "/removable");
}

// udev writes blanks and other bytes of a label as \xNN.
std::string DecodeLabel(std::string_view encoded) {
  std::string label;
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    if (encoded[i] == '\\' && i + 3 < encoded.size() && encoded[i + 1] == 'x' &&
        std::isxdigit(static_cast<unsigned char>(encoded[i + 2])) &&
        std::isxdigit(static_cast<unsigned char>(encoded[i + 3]))) {
      label += static_cast<char>(std::stoi(std::string(encoded.substr(i + 2, 2)), nullptr, 16));
      i += 3;
    } else {
      label += encoded[i];
    }
  }
  return label;
}

std::string VolumeLabel(const DriveSources& sources, const MountEntry& entry) {
  std::error_code error;
  const std::string device = BlockName(entry.device);
  for (const auto& link : std::filesystem::directory_iterator(sources.byLabelFolder, error)) {
    std::error_code linkError;
    const std::filesystem::path target = std::filesystem::read_symlink(link.path(), linkError);
    if (!linkError && LastComponent(target.string()) == device) {
      return DecodeLabel(link.path().filename().string());
    }
  }
  return LastComponent(entry.mountPoint);
}

}  // namespace

DriveSources SystemDriveSources() {
  DriveSources sources;
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    sources.homeFolder = home;
  } else if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir) {
    sources.homeFolder = entry->pw_dir;
  }
  return sources;
}

std::optional<std::vector<MountEntry>> ReadMountTable(const std::string& path) {
  FILE* table = ::setmntent(path.c_str(), "r");
  if (table == nullptr) return std::nullopt;
  std::vector<MountEntry> entries;
  struct mntent entry {};
  std::array<char, 4096> buffer{};
  // getmntent_r decodes the octal escapes (\040 for a blank) of the table.
  while (::getmntent_r(table, &entry, buffer.data(), static_cast<int>(buffer.size())) != nullptr) {
    entries.push_back({entry.mnt_fsname, entry.mnt_dir, entry.mnt_type});
  }
  ::endmntent(table);
  return entries;
}

std::optional<DriveKind> ClassifyMount(const MountEntry& entry, const DriveSources& sources) {
  if (entry.fsType == "iso9660" || entry.fsType == "udf") return DriveKind::CdRom;
  if (IsNetworkType(entry.fsType)) return DriveKind::Network;
  // Everything else that holds files comes from a block device; proc, sysfs,
  // tmpfs, overlay and the like name no device.
  if (!StartsWith(entry.device, "/dev/")) return std::nullopt;
  if (std::find(kImageTypes.begin(), kImageTypes.end(), entry.fsType) != kImageTypes.end() ||
      IsUnder(entry.mountPoint, "/snap")) {
    return std::nullopt;
  }
  if (entry.mountPoint == "/") return DriveKind::Fixed;
  if (IsUnder(entry.mountPoint, "/media") || IsUnder(entry.mountPoint, "/run/media") ||
      IsRemovableDevice(sources.sysRoot, entry.device)) {
    return DriveKind::Removable;
  }
  return DriveKind::Fixed;
}

std::optional<NetworkSource> SplitNetworkSource(std::string_view device) {
  NetworkSource source;
  if (StartsWith(device, "//")) {
    const std::string_view rest = device.substr(2);
    const std::size_t slash = rest.find('/');
    source.host = std::string(rest.substr(0, slash));
    if (slash != std::string_view::npos) source.share = std::string(rest.substr(slash + 1));
  } else {
    std::string_view rest = device;
    if (const std::size_t at = rest.find('@'); at != std::string_view::npos) {
      rest = rest.substr(at + 1);
    }
    std::size_t colon = rest.find(':');
    if (StartsWith(rest, "[")) {
      // An IPv6 address keeps its colons inside brackets.
      const std::size_t close = rest.find(']');
      if (close == std::string_view::npos) return std::nullopt;
      colon = rest.find(':', close);
      source.host = std::string(rest.substr(1, close - 1));
    } else {
      source.host = std::string(rest.substr(0, colon));
    }
    if (colon == std::string_view::npos) return std::nullopt;
    std::string_view share = rest.substr(colon + 1);
    while (StartsWith(share, "/")) share.remove_prefix(1);
    source.share = std::string(share);
  }
  while (!source.share.empty() && source.share.back() == '/') source.share.pop_back();
  if (source.host.empty()) return std::nullopt;
  return source;
}

std::vector<Drive> ListDrives(const DriveSources& sources) {
  std::vector<Drive> drives;
  struct stat info {};
  if (!sources.homeFolder.empty() && ::stat(sources.homeFolder.c_str(), &info) == 0 &&
      S_ISDIR(info.st_mode)) {
    drives.push_back(
        {DriveKind::Fixed, LastComponent(sources.homeFolder), sources.homeFolder, {}, {}, true});
  }
  const std::vector<MountEntry> entries =
      ReadMountTable(sources.mountTable).value_or(std::vector<MountEntry>{});
  std::vector<Drive> mounted;
  for (const MountEntry& entry : entries) {
    // A later mount at the same place hides the earlier one.
    std::erase_if(mounted, [&](const Drive& d) { return d.mountPoint == entry.mountPoint; });
    const std::optional<DriveKind> kind = ClassifyMount(entry, sources);
    if (!kind) continue;
    Drive drive;
    drive.kind = *kind;
    drive.mountPoint = entry.mountPoint;
    if (*kind == DriveKind::Network) {
      const std::optional<NetworkSource> source = SplitNetworkSource(entry.device);
      if (source) {
        drive.host = source->host;
        drive.share = source->share.empty() ? LastComponent(entry.mountPoint) : source->share;
      }
      drive.label = LastComponent(entry.mountPoint);
    } else {
      drive.label = entry.mountPoint == "/" ? std::string("/") : VolumeLabel(sources, entry);
    }
    mounted.push_back(std::move(drive));
  }
  // A home folder that is a mount of its own is shown once, as the home.
  if (!drives.empty()) {
    std::erase_if(mounted, [&](const Drive& d) { return d.mountPoint == sources.homeFolder; });
  }
  drives.insert(drives.end(), mounted.begin(), mounted.end());
  return drives;
}

}  // namespace tesmora::platform
