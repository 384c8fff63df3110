#include "platform/file_io.h"

#include "platform/file_descriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace tesmora::platform {

OpenStatus OpenRegularFile(const std::string& path, FileDescriptor& fd, struct stat& info) {
  fd.Reset();
  // A first look keeps devices from ever being opened.
  if (::stat(path.c_str(), &info) != 0) return OpenStatus::Failed;
  if (!S_ISREG(info.st_mode)) return OpenStatus::NotAFile;
  // Without waiting, in case a pipe took the file's place meanwhile.
  fd.Reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) return OpenStatus::Failed;
  if (::fstat(fd.get(), &info) != 0) return OpenStatus::Failed;
  if (!S_ISREG(info.st_mode)) {
    fd.Reset();
    return OpenStatus::NotAFile;
  }
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return OpenStatus::Failed;
  return OpenStatus::Opened;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  FileDescriptor fd(-1);
  struct stat info {};
  if (OpenRegularFile(path, fd, info) != OpenStatus::Opened) return std::nullopt;
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

}  // namespace tesmora::platform
