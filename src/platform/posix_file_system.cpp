#include "platform/posix_file_system.h"

#include "platform/file_descriptor.h"
#include "platform/file_io.h"
#include "platform/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace tesmora::platform {

namespace {

constexpr std::size_t kCopyChunk = 256 * 1024;

EntryType TypeOfMode(mode_t mode) {
  if (S_ISDIR(mode)) return EntryType::Directory;
  if (S_ISREG(mode)) return EntryType::File;
  return EntryType::Other;
}

// The entry at `where` (relative to the folder `dirFd`, or a path with
// AT_FDCWD), of the type the listing told (DT_UNKNOWN when it did not). One
// look at what it leads to gives its type, size and date; a second one at the
// entry itself only when the listing could not tell a link.
DirectoryEntry EntryAt(int dirFd, const char* where, std::string name, unsigned char listedType) {
  DirectoryEntry item;
  item.name = std::move(name);
  item.type = EntryType::Other;
  item.symlink = listedType == DT_LNK;
  if (listedType == DT_UNKNOWN) {
    struct stat own {};
    if (::fstatat(dirFd, where, &own, AT_SYMLINK_NOFOLLOW) == 0)
      item.symlink = S_ISLNK(own.st_mode);
  }
  struct stat info {};
  if (::fstatat(dirFd, where, &info, 0) == 0) {
    item.type = TypeOfMode(info.st_mode);
    item.size = static_cast<std::uint64_t>(info.st_size);
    item.modified = std::chrono::sys_seconds(std::chrono::seconds(info.st_mtim.tv_sec));
  } else if (listedType == DT_DIR) {
    item.type = EntryType::Directory;  // gone meanwhile, or not ours to look into
  } else if (listedType == DT_REG) {
    item.type = EntryType::File;
  }
  return item;
}

}  // namespace

FsStatus StatusOfErrno(int error) {
  switch (error) {
    case 0:
      return FsStatus::Ok;
    case EEXIST:
      return FsStatus::Exists;
    case ENOENT:
      return FsStatus::NotFound;
    case EXDEV:
      return FsStatus::CrossDevice;
    case ENOSPC:
    case EDQUOT:
      return FsStatus::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
      return FsStatus::Denied;
    case ENOTEMPTY:
      return FsStatus::NotEmpty;
    default:
      return FsStatus::Failed;
  }
}

std::vector<Drive> PosixFileSystem::Drives() { return ListDrives(sources_); }

std::optional<std::vector<DirectoryEntry>> PosixFileSystem::List(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  const int dirFd = ::dirfd(dir);
  std::vector<DirectoryEntry> entries;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    entries.push_back(EntryAt(dirFd, entry->d_name, std::string(name), entry->d_type));
  }
  ::closedir(dir);
  return entries;
}

std::optional<DirectoryEntry> PosixFileSystem::Entry(const std::string& folder,
                                                     const std::string& name) {
  const std::string path = JoinPath(folder, name);
  struct stat own {};
  if (::lstat(path.c_str(), &own) != 0) return std::nullopt;
  return EntryAt(AT_FDCWD, path.c_str(), name, IFTODT(own.st_mode));
}

std::optional<FileFacts> PosixFileSystem::Facts(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
  FileFacts facts;
  facts.symlink = S_ISLNK(info.st_mode);
  facts.type = TypeOfMode(info.st_mode);
  // A link's own permission bits mean nothing. A file without its owner's
  // write bit is read-only even for the administrator, as the read-only
  // attribute is on other systems.
  facts.writeProtected =
      !facts.symlink && ((info.st_mode & S_IWUSR) == 0 || ::access(path.c_str(), W_OK) != 0);
  facts.special = !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode) && !facts.symlink;
  struct stat target {};
  if (facts.symlink && ::stat(path.c_str(), &target) == 0) {
    facts.special = !S_ISREG(target.st_mode) && !S_ISDIR(target.st_mode);
  }
  facts.device = info.st_dev;
  facts.inode = info.st_ino;
  return facts;
}

FsStatus PosixFileSystem::CreateFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0777) == 0 ? FsStatus::Ok : StatusOfErrno(errno);
}

FsStatus PosixFileSystem::RemoveFolder(const std::string& path) {
  return ::rmdir(path.c_str()) == 0 ? FsStatus::Ok : StatusOfErrno(errno);
}

FsStatus PosixFileSystem::RemoveFile(const std::string& path) {
  return ::unlink(path.c_str()) == 0 ? FsStatus::Ok : StatusOfErrno(errno);
}

FsStatus RenameWithoutReplacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return FsStatus::Ok;
  }
  if (errno != EINVAL && errno != ENOSYS) return StatusOfErrno(errno);
  // A file system without the no-replace rename (some network ones). A
  // second name for a file is refused as atomically when the name is taken;
  // the temporary name then goes.
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return FsStatus::Ok;
  }
  if (errno == EEXIST) return FsStatus::Exists;
  // Nor links (a folder, or a file system without them): look first. A
  // plain rename would silently replace a file or an empty folder.
  struct stat info {};
  if (::lstat(to.c_str(), &info) == 0) return FsStatus::Exists;
  return ::rename(from.c_str(), to.c_str()) == 0 ? FsStatus::Ok : StatusOfErrno(errno);
}

FsStatus PosixFileSystem::Rename(const std::string& from, const std::string& to, bool replace) {
  if (replace) return ::rename(from.c_str(), to.c_str()) == 0 ? FsStatus::Ok : StatusOfErrno(errno);
  return RenameWithoutReplacing(from, to);
}

FsStatus PosixFileSystem::WriteChunk(AtomicFileWriter& writer, std::string_view bytes) {
  if (writer.Write(bytes)) return FsStatus::Ok;
  return writer.diskFull() ? FsStatus::DiskFull : FsStatus::Failed;
}

FsStatus PosixFileSystem::CopyFile(const std::string& from, const std::string& to,
                                   OverwritePolicy policy) {
  FileDescriptor source(-1);
  struct stat info {};
  switch (OpenRegularFile(from, source, info)) {
    case OpenStatus::Opened:
      break;
    case OpenStatus::NotAFile:
      return FsStatus::NotAFile;
    case OpenStatus::Failed:
      return StatusOfErrno(errno);
  }
  AtomicFileWriter writer;
  if (!writer.Open(to)) return StatusOfErrno(errno);
  std::array<char, kCopyChunk> buffer;
  for (;;) {
    const ssize_t n = ::read(source.get(), buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return StatusOfErrno(errno);  // the writer leaves nothing behind
    if (n == 0) break;
    const FsStatus status = WriteChunk(writer, std::string_view(buffer.data(), n));
    if (status != FsStatus::Ok) return status;
  }
  // A file kept under the name (Exists) keeps its own date and permissions.
  if (const FsStatus status = writer.Commit(policy, Durability::Precious); status != FsStatus::Ok) {
    return status;
  }
  // The copy carries the source's date, which is what the lists show, and
  // its permissions, as a copy on the PC always has.
  ::chmod(to.c_str(), info.st_mode & 07777);
  const struct timespec times[2] = {info.st_atim, info.st_mtim};
  ::utimensat(AT_FDCWD, to.c_str(), times, 0);
  return FsStatus::Ok;
}

std::unique_ptr<FileWriter> PosixFileSystem::OpenWriter(const std::string& path) {
  auto writer = std::make_unique<AtomicFileWriter>();
  if (!writer->Open(path)) return nullptr;
  return writer;
}

std::optional<FileIdentity> PosixFileSystem::Identity(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                      static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace tesmora::platform
