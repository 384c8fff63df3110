#include "platform/bounded_file_system.h"

#include <any>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace tesmora::platform {

struct BoundedFileSystem::Calls {
  std::mutex mutex;
  std::condition_variable ended;
  std::set<std::string> underWay;
  std::map<std::string, std::any> lateAnswers;
};

namespace {

template <typename T>
struct Answer {
  std::optional<T> value;
  bool abandoned = false;  // its asker stopped waiting
};

// The answer of `call`, or nothing when it does not come within `wait`. The
// call runs on a thread of its own, detached: a call that never ends keeps
// only that thread.
template <typename T, typename Calls>
std::optional<T> AnswerWithin(const std::shared_ptr<Calls>& calls, std::chrono::milliseconds wait,
                              const std::string& key, std::function<T()> call) {
  std::unique_lock lock(calls->mutex);
  if (const auto late = calls->lateAnswers.find(key); late != calls->lateAnswers.end()) {
    T value = std::any_cast<T>(std::move(late->second));
    calls->lateAnswers.erase(late);
    return value;
  }
  if (calls->underWay.count(key) != 0) return std::nullopt;
  calls->underWay.insert(key);
  auto answer = std::make_shared<Answer<T>>();
  std::thread([calls, key, answer, call = std::move(call)] {
    T value = call();
    const std::lock_guard guard(calls->mutex);
    calls->underWay.erase(key);
    if (answer->abandoned) {
      calls->lateAnswers[key] = std::move(value);
    } else {
      answer->value = std::move(value);
    }
    calls->ended.notify_all();
  }).detach();
  if (!calls->ended.wait_for(lock, wait, [&] { return answer->value.has_value(); })) {
    answer->abandoned = true;
    return std::nullopt;
  }
  return std::move(answer->value);
}

}  // namespace

BoundedFileSystem::BoundedFileSystem(std::shared_ptr<FileSystem> real,
                                     std::chrono::milliseconds wait)
    : real_(std::move(real)), wait_(wait), calls_(std::make_shared<Calls>()) {}

BoundedFileSystem::~BoundedFileSystem() = default;

std::vector<Drive> BoundedFileSystem::Drives() {
  // The home folder is looked at for the list: on a hung network home that
  // look would never end.
  return AnswerWithin<std::vector<Drive>>(calls_, wait_, "drives",
                                          [real = real_] { return real->Drives(); })
      .value_or(std::vector<Drive>{});
}

std::optional<std::vector<DirectoryEntry>> BoundedFileSystem::List(const std::string& folder) {
  using Listing = std::optional<std::vector<DirectoryEntry>>;
  return AnswerWithin<Listing>(calls_, wait_, "list:" + folder,
                               [real = real_, folder] { return real->List(folder); })
      .value_or(std::nullopt);
}

std::optional<FileFacts> BoundedFileSystem::Facts(const std::string& path) {
  return real_->Facts(path);
}

FsStatus BoundedFileSystem::CreateFolder(const std::string& path) {
  return real_->CreateFolder(path);
}

FsStatus BoundedFileSystem::RemoveFolder(const std::string& path) {
  return real_->RemoveFolder(path);
}

FsStatus BoundedFileSystem::RemoveFile(const std::string& path) { return real_->RemoveFile(path); }

FsStatus BoundedFileSystem::Rename(const std::string& from, const std::string& to, bool replace) {
  return real_->Rename(from, to, replace);
}

FsStatus BoundedFileSystem::CopyFile(const std::string& from, const std::string& to) {
  return real_->CopyFile(from, to);
}

}  // namespace tesmora::platform
