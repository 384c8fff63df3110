#include "platform/atomic_file_writer.h"

#include "platform/paths.h"
#include "platform/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace tesmora::platform {

namespace {

constexpr std::size_t kFlushSize = 64 * 1024;

// The longest name the folder takes. A system may claim more than the
// common 255 bytes (counting in other units than bytes): never more is used.
std::size_t NameLimitOf(const std::string& folder) {
  const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  return limit > 0 && limit < NAME_MAX ? static_cast<std::size_t>(limit) : NAME_MAX;
}

// A fresh name beside the target. O_EXCL makes a clash fail instead of
// sharing a file; the counter and the clock make a clash unlikely even when
// several threads write into one folder.
int CreateTemporaryBeside(const std::string& path, std::string& temp) {
  static std::atomic<unsigned> counter{0};
  const FolderAndName where = SplitPath(path);
  const std::size_t limit = NameLimitOf(where.folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::string unique = std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                               std::to_string(tick % 1000000);
    temp = JoinPath(where.folder, TemporaryName(where.name, unique, limit));
    // 0666 lets the umask decide the permissions of a new file, as for any
    // file the user creates; umask() itself is never called, since it would
    // change the mask for every thread at once.
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

std::string TemporaryName(std::string_view name, std::string_view unique, std::size_t nameLimit) {
  const std::string suffix = ".tmp" + std::string(unique);
  std::size_t kept =
      nameLimit > suffix.size() ? std::min(name.size(), nameLimit - suffix.size()) : 0;
  // Back to the first byte of the character the cut falls into.
  while (kept > 0 && kept < name.size() && (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80)
    --kept;
  return std::string(name.substr(0, kept)) + suffix;
}

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

FsStatus AtomicFileWriter::Commit(OverwritePolicy policy, Durability durability) {
  if (temp_.empty()) return FsStatus::Failed;
  // After an Exists the file is already whole and closed: only its name is
  // still to come.
  if (fd_ >= 0) {
    bool ok = Flush() && (durability == Durability::Replaceable || ::fsync(fd_) == 0);
    if (!ok && (errno == ENOSPC || errno == EDQUOT)) diskFull_ = true;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    if (!ok) {
      Discard();
      return diskFull_ ? FsStatus::DiskFull : FsStatus::Failed;
    }
  }
  // What stops a replacing rename (a folder under the name) is no file to
  // ask about: a failure like any other.
  const FsStatus status = policy != OverwritePolicy::Always ? RenameWithoutReplacing(temp_, path_)
                          : std::rename(temp_.c_str(), path_.c_str()) == 0 ? FsStatus::Ok
                                                                           : FsStatus::Failed;
  if (status == FsStatus::Ok) {
    temp_.clear();
    pending_.clear();
  } else if (status != FsStatus::Exists) {
    Discard();
  }
  return status;
}

void AtomicFileWriter::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
  pending_.clear();
}

}  // namespace tesmora::platform
