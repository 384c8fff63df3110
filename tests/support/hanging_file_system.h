#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include "platform/posix_file_system.h"

namespace tesmora::testing {

// The real file system with folders that do not answer, as a hung network
// share: listing one of `hung` (or the drive list, when `drivesHang`) waits
// until Release(). Set them up before any call.
class HangingFileSystem : public platform::PosixFileSystem {
 public:
  using PosixFileSystem::PosixFileSystem;

  std::set<std::string> hung;
  bool drivesHang = false;

  std::optional<std::vector<platform::DirectoryEntry>> List(const std::string& folder) override {
    Enter(folder, hung.count(folder) != 0);
    return PosixFileSystem::List(folder);
  }
  std::vector<platform::Drive> Drives() override {
    Enter("drives", drivesHang);
    return PosixFileSystem::Drives();
  }
  // Every call waiting and every later one goes on.
  void Release() {
    const std::lock_guard lock(mutex_);
    released_ = true;
    wakeUp_.notify_all();
  }
  int callsOf(const std::string& key) {
    const std::lock_guard lock(mutex_);
    return calls_[key];
  }

 private:
  void Enter(const std::string& key, bool hangs) {
    std::unique_lock lock(mutex_);
    ++calls_[key];
    if (hangs) wakeUp_.wait(lock, [this] { return released_; });
  }

  std::mutex mutex_;
  std::condition_variable wakeUp_;
  bool released_ = false;
  std::map<std::string, int> calls_;
};

}  // namespace tesmora::testing
