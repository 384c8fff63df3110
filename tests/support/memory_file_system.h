#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tesmora::testing {

// A file system held in memory: drives and folder listings set up by the
// test, every entry with the facts it chooses. Nothing on it can be changed
// through the interface; what a listing gives is all there is.
class MemoryFileSystem : public platform::FileSystem {
 public:
  std::vector<platform::Drive> drives;
  std::map<std::string, std::vector<platform::DirectoryEntry>> folders;

  std::vector<platform::Drive> Drives() override { return drives; }
  std::optional<std::vector<platform::DirectoryEntry>> List(const std::string& folder) override {
    const auto it = folders.find(folder);
    if (it == folders.end()) return std::nullopt;
    return it->second;
  }
  std::optional<platform::FileFacts> Facts(const std::string&) override { return std::nullopt; }
  platform::FsStatus CreateFolder(const std::string&) override { return Refused(); }
  platform::FsStatus RemoveFolder(const std::string&) override { return Refused(); }
  platform::FsStatus RemoveFile(const std::string&) override { return Refused(); }
  platform::FsStatus Rename(const std::string&, const std::string&, bool) override {
    return Refused();
  }
  platform::FsStatus CopyFile(const std::string&, const std::string&,
                              platform::OverwritePolicy) override {
    return Refused();
  }
  std::unique_ptr<platform::FileWriter> OpenWriter(const std::string&) override { return nullptr; }
  // Each folder is itself alone, by its one spelling.
  std::optional<platform::FileIdentity> Identity(const std::string& path) override {
    const auto it = folders.find(path);
    if (it == folders.end()) return std::nullopt;
    return platform::FileIdentity{1, std::hash<std::string>{}(path)};
  }

 private:
  static platform::FsStatus Refused() { return platform::FsStatus::Denied; }
};

}  // namespace tesmora::testing
