#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tesmora::platform {

// One line of the mount table: what is mounted, where, as which file system.
struct MountEntry {
  std::string device;
  std::string mountPoint;
  std::string fsType;
};

// The entries of a mount table in its own order (later mounts cover earlier
// ones at the same place), or nothing when it cannot be read.
std::optional<std::vector<MountEntry>> ReadMountTable(const std::string& path);

// The kinds of drive the folder tree shows.
enum class DriveKind { Fixed, Removable, CdRom, Network };

// A drive as the folder tree shows it.
struct Drive {
  DriveKind kind = DriveKind::Fixed;
  std::string label;             // what a person recognises: the volume label or the folder's name
  std::string mountPoint;        // where its files are
  std::string host;              // network drives: the server ...
  std::string share;             // ... and the share as the mount names them
  bool selectedAtStart = false;  // the home folder
};

// Where the drive list is read from; tests point these at sample files.
struct DriveSources {
  std::string mountTable = "/proc/self/mounts";
  std::string sysRoot = "/sys";
  std::string byLabelFolder = "/dev/disk/by-label";
  std::string homeFolder;  // shown as a fixed drive, selected at start; none when empty
};

// This machine's sources, with the user's home folder ($HOME, else the
// password database's).
DriveSources SystemDriveSources();

// What a mount is, or nothing for the file systems that hold no user files
// (proc, sysfs, tmpfs, overlay, snap images...).
std::optional<DriveKind> ClassifyMount(const MountEntry& entry, const DriveSources& sources);

// The server and share of a network mount's source: "//srv/data" (SMB),
// "srv:/export/data" (NFS), "user@srv:/home" (SSH). Nothing when the source
// names no server.
struct NetworkSource {
  std::string host, share;
};
std::optional<NetworkSource> SplitNetworkSource(std::string_view device);

// The drives of the machine: the home folder first, then the mounts that hold
// files, one per mount point.
std::vector<Drive> ListDrives(const DriveSources& sources);

}  // namespace tesmora::platform
