#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_io.h"
#include "platform/mount_table.h"

namespace tesmora::platform {

enum class EntryType { Directory, File, Other };

// A folder entry: everything the lists show of a file, so that whoever
// lists a folder needs no second look at the disk. Names are bytes as the
// file system holds them; the type, size and time are those of what a
// symbolic link leads to.
struct DirectoryEntry {
  std::string name;
  EntryType type = EntryType::File;
  bool symlink = false;
  std::uint64_t size = 0;  // bytes
  // As stored (UTC); nothing when the entry's facts cannot be read (a link
  // that leads nowhere, a file gone meanwhile).
  std::optional<std::chrono::sys_seconds> modified;
  bool operator==(const DirectoryEntry&) const = default;
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

// What a path leads to, whatever it is called: two spellings of one folder
// (through a symbolic link, with "." or "..") have the same identity.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
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

// What a write does to a file that already has the name it writes. The
// writer never asks: whoever can ask (it has a Prompter) decides once,
// before the write, and passes the decision down.
enum class OverwritePolicy {
  Ask,     // the caller asks before the write; the write itself keeps a file it finds
  Never,   // an existing file is kept (Exists)
  Always,  // an existing file is replaced in one step
};

// A file on its way to its name: written under a temporary name beside it
// and given the name only by Commit, so that until then the name holds the
// older file whole, and a failure (or destruction) leaves nothing behind.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // False once a write has failed; diskFull() says whether the disk was full.
  virtual bool Write(std::string_view bytes) = 0;
  // Ok once the file has its name. Exists when the name is taken and the
  // policy is not Always: the file under the name is untouched and this one
  // waits, whole, for another Commit (the caller may ask meanwhile) or a
  // Discard. DiskFull or Failed leave nothing behind.
  virtual FsStatus Commit(OverwritePolicy policy, Durability durability) = 0;
  virtual void Discard() = 0;
  virtual bool diskFull() const = 0;
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
  // The entry `name` of `folder` as List gives it, nothing when there is
  // none. Here it is looked up in the listing, which is all a test's file
  // system needs; a real one looks at the one file.
  virtual std::optional<DirectoryEntry> Entry(const std::string& folder, const std::string& name);
  virtual std::optional<FileFacts> Facts(const std::string& path) = 0;
  virtual FsStatus CreateFolder(const std::string& path) = 0;
  // Only an empty folder goes.
  virtual FsStatus RemoveFolder(const std::string& path) = 0;
  // A file or a symbolic link; never what the link leads to.
  virtual FsStatus RemoveFile(const std::string& path) = 0;
  // Without `replace` an existing target is never touched (Exists).
  virtual FsStatus Rename(const std::string& from, const std::string& to, bool replace) = 0;
  // Creates `to` (or replaces it, as `policy` says) with the bytes of
  // `from`, whole or not at all, with its modification time (the date the
  // lists show) and permissions. Only a regular file is copied (NotAFile for
  // anything else).
  virtual FsStatus CopyFile(const std::string& from, const std::string& to,
                            OverwritePolicy policy) = 0;
  // The writer of a new file at `path`; nothing when its folder does not
  // take it. Every file the program writes on the PC comes through here.
  virtual std::unique_ptr<FileWriter> OpenWriter(const std::string& path) = 0;
  // What the path leads to, following symbolic links; nothing when nothing
  // is there.
  virtual std::optional<FileIdentity> Identity(const std::string& path) = 0;
};

// Whether two folder paths name the same folder: the same spelling (with or
// without a separator at the end), or the same identity on the disk.
bool SameFolder(FileSystem& fs, std::string_view a, std::string_view b);

// `bytes` as the whole file at `path`, through the file system's writer.
FsStatus WriteWholeFile(FileSystem& fs, const std::string& path, std::string_view bytes,
                        OverwritePolicy policy, Durability durability);

// The computer's own file system, for the writers that are handed none (the
// settings, the exports, the command line's outputs).
FileSystem& LocalFileSystem();

}  // namespace tesmora::platform
