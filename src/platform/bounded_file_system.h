#pragma once

#include <chrono>
#include <memory>

#include "platform/file_system.h"

namespace tesmora::platform {

// A file system whose drive list and folder listings wait a bounded time: a
// network share that does not answer (or a dying disk) would otherwise hold
// whoever asked until the system gives up, which for a hung share can be for
// ever. A listing that has not answered within the wait counts as a folder
// that cannot be listed (nothing; the drive list: no drives). Its call goes
// on meanwhile on a thread of its own; until it ends, the same folder gets
// nothing at once, without another thread waiting on it, and when it ends
// late its answer is kept for the next time the folder is asked, so a slow
// share is listed at the next try. Everything else goes straight through:
// what the user does to files waits as long as it takes.
class BoundedFileSystem : public FileSystem {
 public:
  BoundedFileSystem(std::shared_ptr<FileSystem> real, std::chrono::milliseconds wait);
  ~BoundedFileSystem() override;

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

  // What the calls under way and their helper threads share; defined with
  // them in the source file.
  struct Calls;

 private:
  std::shared_ptr<FileSystem> real_;
  std::chrono::milliseconds wait_;
  // Shared with the calls still under way, which may outlive this object.
  std::shared_ptr<Calls> calls_;
};

}  // namespace tesmora::platform
