#pragma once

#include "platform/atomic_file_writer.h"
#include "platform/file_system.h"

namespace tesmora::platform {

// The explorer's file system on POSIX calls.
class PosixFileSystem : public FileSystem {
 public:
  explicit PosixFileSystem(DriveSources sources = {}) : sources_(std::move(sources)) {}

  std::vector<Drive> Drives() override;
  std::optional<std::vector<DirectoryEntry>> List(const std::string& folder) override;
  std::optional<DirectoryEntry> Entry(const std::string& folder, const std::string& name) override;
  std::optional<FileFacts> Facts(const std::string& path) override;
  FsStatus CreateFolder(const std::string& path) override;
  FsStatus RemoveFolder(const std::string& path) override;
  FsStatus RemoveFile(const std::string& path) override;
  FsStatus Rename(const std::string& from, const std::string& to, bool replace) override;
  FsStatus CopyFile(const std::string& from, const std::string& to,
                    OverwritePolicy policy) override;
  std::unique_ptr<FileWriter> OpenWriter(const std::string& path) override;
  std::optional<FileIdentity> Identity(const std::string& path) override;

 protected:
  // One piece of a copy on its way to the temporary file.
  virtual FsStatus WriteChunk(AtomicFileWriter& writer, std::string_view bytes);

 private:
  DriveSources sources_;
};

// The status of an errno value.
FsStatus StatusOfErrno(int error);

// Renames `from` to `to` only while `to` is free (Exists otherwise), in one
// step where the file system can: an existing file or empty folder is never
// replaced, not even one that appears at the last moment.
FsStatus RenameWithoutReplacing(const std::string& from, const std::string& to);

}  // namespace tesmora::platform
