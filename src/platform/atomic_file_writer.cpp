#include "platform/atomic_file_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace tesmora::platform {

namespace {
constexpr std::size_t kFlushSize = 64 * 1024;
}

bool AtomicFileWriter::Open(const std::string& path) {
  Discard();
  diskFull_ = false;
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat old {};
  const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~mask);
  ::fchmod(fd, mode);
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

bool AtomicFileWriter::Commit() {
  if (fd_ < 0) return false;
  bool ok = Flush() && ::fsync(fd_) == 0;
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
