#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tesmora::ui {

// A file system that answers the listings it has already been asked, and
// learns them while it rehearses. A rehearsal is the explorer's work run on
// copies of its models on a worker thread, so that a hung network share
// blocks that thread and never the window; the window then repeats the work
// on its own models against the answers learned, without touching the disk.
class LearnedListings : public platform::FileSystem {
 public:
  explicit LearnedListings(std::shared_ptr<platform::FileSystem> real) : real_(std::move(real)) {}

  // After the rehearsal: answers come from what was learned; anything else
  // goes to the real file system.
  void StopLearning() { learning_ = false; }

  std::vector<platform::Drive> Drives() override;
  std::optional<std::vector<platform::DirectoryEntry>> List(const std::string& folder) override;
  std::optional<platform::DirectoryEntry> Entry(const std::string& folder,
                                                const std::string& name) override;
  std::optional<platform::FileFacts> Facts(const std::string& path) override;
  // A rehearsal never changes the disk: these refuse while learning.
  platform::FsStatus CreateFolder(const std::string& path) override;
  platform::FsStatus RemoveFolder(const std::string& path) override;
  platform::FsStatus RemoveFile(const std::string& path) override;
  platform::FsStatus Rename(const std::string& from, const std::string& to, bool replace) override;
  platform::FsStatus CopyFile(const std::string& from, const std::string& to,
                              platform::OverwritePolicy policy) override;
  std::unique_ptr<platform::FileWriter> OpenWriter(const std::string& path) override;
  std::optional<platform::FileIdentity> Identity(const std::string& path) override;

 private:
  std::shared_ptr<platform::FileSystem> real_;
  bool learning_ = true;
  std::optional<std::vector<platform::Drive>> drives_;
  std::map<std::string, std::optional<std::vector<platform::DirectoryEntry>>> listings_;
};

// Runs `rehearse` on a thread of its own with a LearnedListings over `fs`,
// then `apply` with the same listings on the user interface's thread, unless
// `context` is gone by then. The rehearsal must touch copies only.
void ListInBackground(QObject* context, std::shared_ptr<platform::FileSystem> fs,
                      std::function<void(platform::FileSystem&)> rehearse,
                      std::function<void(platform::FileSystem&)> apply);

}  // namespace tesmora::ui
