#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <vector>

namespace tesmora::platform {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded (a late write error
  // can show up only here on some file systems).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

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

std::optional<std::string> ReadWholeFile(const std::string& path) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return std::nullopt;
  std::string content;
  std::vector<char> chunk(64 * 1024);
  for (;;) {
    const ssize_t n = ::read(fd.get(), chunk.data(), chunk.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) break;
    content.append(chunk.data(), static_cast<std::size_t>(n));
  }
  return content;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, Durability durability) {
  std::string temp;
  FileDescriptor fd(CreateTemporaryBeside(path, temp));
  if (fd.get() < 0) return false;

  struct stat old {};
  const bool keepMode = ::stat(path.c_str(), &old) == 0;
  const bool written = (!keepMode || ::fchmod(fd.get(), old.st_mode & 07777) == 0) &&
                       WriteAll(fd.get(), bytes) &&
                       (durability == Durability::Replaceable || ::fsync(fd.get()) == 0);
  if (!fd.Close() || !written || std::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

bool OverwriteFile(const std::string& path, std::string_view bytes) {
  // Written over the old content and then cut to length, rather than opened
  // with O_TRUNC: ext4 flushes a file emptied by truncation to disk on close,
  // which would cost a disk write per export for a file nobody keeps.
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
  if (fd.get() < 0) return false;
  const bool written =
      WriteAll(fd.get(), bytes) && ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) == 0;
  return fd.Close() && written;
}

}  // namespace tesmora::platform
