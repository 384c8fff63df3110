#include "platform/atomic_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace tesmora::platform {

namespace {

constexpr std::size_t kFlushSize = 64 * 1024;

// A fresh name beside the target. O_EXCL makes a clash fail instead of
// sharing a file; the counter and the clock make a clash unlikely even when
// several threads write into one folder.
int CreateTemporaryBeside(const std::string& path, std::string& temp) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    temp = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(tick % 1000000);
    // 0666 lets the umask decide the permissions of a new file, as for any
    // file the user creates; umask() itself is never called, since it would
    // change the mask for every thread at once.
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool AtomicFileWriter::Open(const std::string& path) {
  Discard();
  diskFull_ = false;
  std::string temp;
  const int fd = CreateTemporaryBeside(path, temp);
  if (fd < 0) return false;
  // An existing file keeps its permissions.
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0) {
    ::close(fd);
    ::unlink(temp.c_str());
    return false;
  }
  fd_ = fd;
  path_ = path;
  temp_ = std::move(temp);
  return true;
}

bool AtomicFileWriter::Write(std::string_view bytes) {
  if (fd_ < 0) return false;
  pending_.append(bytes);
  return pending_.size() < kFlushSize || Flush();
}

bool AtomicFileWriter::Flush() {
  std::string_view rest = pending_;
  while (!rest.empty()) {
    const ssize_t n = ::write(fd_, rest.data(), rest.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      diskFull_ = errno == ENOSPC || errno == EDQUOT;
      return false;
    }
    rest.remove_prefix(static_cast<std::size_t>(n));
  }
  pending_.clear();
  return true;
}

bool AtomicFileWriter::Commit(Durability durability) {
  if (fd_ < 0) return false;
  bool ok = Flush() && (durability == Durability::Replaceable || ::fsync(fd_) == 0);
  if (!ok && (errno == ENOSPC || errno == EDQUOT)) diskFull_ = true;
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  if (ok && std::rename(temp_.c_str(), path_.c_str()) == 0) {
    temp_.clear();
    pending_.clear();
    return true;
  }
  Discard();
  return false;
}

void AtomicFileWriter::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
  pending_.clear();
}

}  // namespace tesmora::platform
