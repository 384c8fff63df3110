#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mount_table.h"

namespace tesmora::platform {

enum class EntryType { Directory, File, Other };

// A folder entry. Names are bytes as the file system holds them.
struct DirectoryEntry {
  std::string name;
  EntryType type = EntryType::File;  // of what a symbolic link leads to
  bool symlink = false;
};

// What the file operations need to know of one path (a symbolic link itself,
// not what it leads to).
struct FileFacts {
  EntryType type = EntryType::File;
  bool symlink = false;
  bool writeProtected = false;  // read-only, or not the user's to write: deleting asks first
  // A pipe, a socket or a device, itself or at the end of its link: listed,
  // never opened.
  bool special = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
};

enum class FsStatus {
  Ok,
  Exists,
  NotFound,
  CrossDevice,
  DiskFull,
  Denied,
  NotEmpty,
  NotAFile,  // a pipe, a socket or a device where a file was expected
  Failed
};

// The file system as the explorer uses it. One interface so that a test can
// make one operation fail (a full disk, a move across file systems) and a
// port to another system can supply its own.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual std::vector<Drive> Drives() = 0;
  // The entries of a folder in the system's order, without "." and "..";
  // nothing when the folder cannot be listed.
  virtual std::optional<std::vector<DirectoryEntry>> List(const std::string& folder) = 0;
  virtual std::optional<FileFacts> Facts(const std::string& path) = 0;
  virtual FsStatus CreateFolder(const std::string& path) = 0;
  // Only an empty folder goes.
  virtual FsStatus RemoveFolder(const std::string& path) = 0;
  // A file or a symbolic link; never what the link leads to.
  virtual FsStatus RemoveFile(const std::string& path) = 0;
  // Without `replace` an existing target is never touched (Exists).
  virtual FsStatus Rename(const std::string& from, const std::string& to, bool replace) = 0;
  // Replaces or creates `to` with the bytes of `from`, whole or not at all,
  // with its modification time (the date the lists show) and permissions.
  // Only a regular file is copied (NotAFile for anything else).
  virtual FsStatus CopyFile(const std::string& from, const std::string& to) = 0;
};

}  // namespace tesmora::platform
