#include "platform/bounded_file_system.h"

#include <any>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace tesmora::platform {

// The calls under way, the answers that came late, and the helper threads
// that run the calls: kept and reused, since a thread made for each listing
// would cost more than the listing of a local folder.
struct BoundedFileSystem::Calls {
  std::mutex mutex;
  std::condition_variable ended;  // a call has ended
  std::condition_variable work;   // a job is waiting, or the file system has gone
  std::set<std::string> underWay;
  std::map<std::string, std::any> lateAnswers;
  std::deque<std::function<void()>> jobs;
  std::size_t idleHelpers = 0;
  bool closing = false;
};

namespace {

using Calls = std::shared_ptr<BoundedFileSystem::Calls>;

// A helper takes the jobs one after another and ends when none is left once
// the file system has gone. One that hangs in a call holds only itself: the
// next job goes to another helper.
void RunHelper(Calls calls) {
  std::unique_lock lock(calls->mutex);
  for (;;) {
    ++calls->idleHelpers;
    calls->work.wait(lock, [&] { return calls->closing || !calls->jobs.empty(); });
    --calls->idleHelpers;
    if (calls->jobs.empty()) return;
    std::function<void()> job = std::move(calls->jobs.front());
    calls->jobs.pop_front();
    lock.unlock();
    job();
    lock.lock();
  }
}

// With the lock held: the job goes to an idle helper, or to a new one.
void Hand(const Calls& calls, std::function<void()> job) {
  calls->jobs.push_back(std::move(job));
  if (calls->jobs.size() > calls->idleHelpers) {
    std::thread(RunHelper, calls).detach();
  } else {
    calls->work.notify_one();
  }
}

template <typename T>
struct Answer {
  std::optional<T> value;
  bool abandoned = false;  // its asker stopped waiting
};

// The answer of `call`, or nothing when it does not come within `wait`.
template <typename T>
std::optional<T> AnswerWithin(const Calls& calls, std::chrono::milliseconds wait,
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
  // The job holds what it needs, never the asker's stack: it may end long
  // after the asker has gone.
  Hand(calls, [calls = std::weak_ptr(calls), key, answer, call = std::move(call)] {
    T value = call();
    const Calls shared = calls.lock();
    if (shared == nullptr) return;
    const std::lock_guard guard(shared->mutex);
    shared->underWay.erase(key);
    if (answer->abandoned) {
      shared->lateAnswers[key] = std::move(value);
    } else {
      answer->value = std::move(value);
    }
    shared->ended.notify_all();
  });
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

BoundedFileSystem::~BoundedFileSystem() {
  const std::lock_guard lock(calls_->mutex);
  calls_->closing = true;
  calls_->work.notify_all();
}

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

std::optional<DirectoryEntry> BoundedFileSystem::Entry(const std::string& folder,
                                                       const std::string& name) {
  return real_->Entry(folder, name);
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

FsStatus BoundedFileSystem::CopyFile(const std::string& from, const std::string& to,
                                     OverwritePolicy policy) {
  return real_->CopyFile(from, to, policy);
}

std::unique_ptr<FileWriter> BoundedFileSystem::OpenWriter(const std::string& path) {
  return real_->OpenWriter(path);
}

std::optional<FileIdentity> BoundedFileSystem::Identity(const std::string& path) {
  return real_->Identity(path);
}

}  // namespace tesmora::platform
