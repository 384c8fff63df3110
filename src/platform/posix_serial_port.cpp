#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace tesmora::platform {

int BaudRateOfSpeedCode(int code) {
  switch (code) {
    case 0:
      return 9600;
    case 1:
      return 19200;
    case 2:
      return 38400;
    case 3:
      return 56000;
    default:
      return 0;
  }
}

PosixSerialPort::~PosixSerialPort() { Close(); }

OpenFailure OpenFailureOfError(int error) {
  switch (error) {
    case 0:
      return OpenFailure::None;
    case ENOENT:
    case ENXIO:
    case ENODEV:
      return OpenFailure::NoDevice;
    case EACCES:
    case EPERM:
      return OpenFailure::PermissionDenied;
    case EBUSY:
      return OpenFailure::HeldElsewhere;
    default:
      return OpenFailure::Other;
  }
}

bool IsNumberedPseudoTerminal(const std::string& path) {
  // The kernel's majors of pseudo-terminal slaves (UNIX98_PTY_SLAVE_MAJOR and
  // the seven after it).
  constexpr unsigned kFirstMajor = 136, kLastMajor = 143;
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) return false;
  const unsigned deviceMajor = major(info.st_rdev);
  return deviceMajor >= kFirstMajor && deviceMajor <= kLastMajor;
}

std::string OwningGroupName(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  std::vector<char> buffer(4096);
  group entry{};
  group* found = nullptr;
  if (::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr) {
    return found->gr_name;
  }
  return std::to_string(info.st_gid);
}

bool PosixSerialPort::Refused(const std::string& path, int error) {
  openError_.failure = OpenFailureOfError(error);
  openError_.deviceGroup =
      openError_.failure == OpenFailure::PermissionDenied ? OwningGroupName(path) : std::string();
  return false;
}

bool PosixSerialPort::Open(const std::string& devicePath) {
  Close();
  openError_ = {};
  hungUp_ = false;
  // Non-blocking open so that a modem line without carrier does not hang us;
  // reads are paced by poll() afterwards.
  const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Refused(devicePath, errno);
  // Exclusive use keeps a second instance from interleaving its bytes with
  // ours. The kernel refuses a second open by itself, but not to root, so a
  // terminal already held exclusively is refused here too.
  int heldExclusively = 0;
  if (::ioctl(fd, TIOCGEXCL, &heldExclusively) == 0 && heldExclusively != 0) {
    ::close(fd);
    return Refused(devicePath, EBUSY);
  }
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) {
    const int error = errno;
    ::close(fd);
    return Refused(devicePath, error);
  }
  ::cfmakeraw(&settings);
  settings.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS | CSIZE);
  settings.c_cflag |= CS8 | CLOCAL | CREAD;
  settings.c_iflag &= ~(IXON | IXOFF | IXANY);
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
  ::cfsetispeed(&settings, B9600);
  ::cfsetospeed(&settings, B9600);
  if (::tcsetattr(fd, TCSANOW, &settings) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
    const int error = errno;
    ::close(fd);
    return Refused(devicePath, error);
  }
  fd_ = fd;
  returnPath_ = IsNumberedPseudoTerminal(devicePath) ? std::string() : devicePath;
  baudRate_ = 9600;
  timeoutMs_ = 0;
  next_ = end_ = 0;
  return true;
}

void PosixSerialPort::Close() {
  if (fd_ >= 0) {
    // The mark outlives our descriptor while anyone else holds the terminal
    // (a pseudo-terminal's far end does): without this, our own next open
    // would find the device held.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
  }
  fd_ = -1;
  next_ = end_ = 0;
}

bool PosixSerialPort::SetSpeedCode(int code) {
  const int baud = BaudRateOfSpeedCode(code);
  if (baud == 0) return true;
  if (fd_ < 0) return false;
  if (baud == 56000) {
    if (!SetCustomBaudRate(fd_, baud)) return false;
  } else {
    termios settings{};
    if (::tcgetattr(fd_, &settings) != 0) return false;
    const speed_t speed = baud == 9600 ? B9600 : baud == 19200 ? B19200 : B38400;
    ::cfsetispeed(&settings, speed);
    ::cfsetospeed(&settings, speed);
    if (::tcsetattr(fd_, TCSANOW, &settings) != 0) return false;
  }
  baudRate_ = baud;
  return true;
}

void PosixSerialPort::Purge(bool output, bool input) {
  if (input) next_ = end_ = 0;
  if (fd_ < 0) return;
  if (output && input) {
    ::tcflush(fd_, TCIOFLUSH);
  } else if (output) {
    ::tcflush(fd_, TCOFLUSH);
  } else if (input) {
    ::tcflush(fd_, TCIFLUSH);
  }
}

// EIO is what a terminal answers once its line has hung up, ENXIO what a
// device that has gone away answers.
bool PosixSerialPort::Failed(int error) {
  if (error == EIO || error == ENXIO) hungUp_ = true;
  return false;
}

bool PosixSerialPort::WriteOne(std::uint8_t byte) {
  if (fd_ < 0) return false;
  for (;;) {
    const ssize_t n = ::write(fd_, &byte, 1);
    if (n == 1) return true;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) {
      // The driver's output buffer is full: wait until it drains.
      pollfd wait{fd_, POLLOUT, 0};
      if (::poll(&wait, 1, 1000) <= 0) return false;
      continue;
    }
    return Failed(n < 0 ? errno : 0);
  }
}

// A terminal has no way to put one byte ahead of queued output, but nothing
// here queues output in user space either, so a write goes out at once.
bool PosixSerialPort::SendImmediate(std::uint8_t byte) { return WriteOne(byte); }

bool PosixSerialPort::WriteByte(std::uint8_t byte) { return WriteOne(byte); }

std::optional<std::uint8_t> PosixSerialPort::ReadByte() {
  if (next_ < end_) return buffer_[next_++];
  if (fd_ < 0) return std::nullopt;
  pollfd wait{fd_, POLLIN, 0};
  for (;;) {
    const int ready = ::poll(&wait, 1, timeoutMs_);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    if ((wait.revents & POLLIN) == 0) {
      // Without data, a hang-up or an error on the line stays for good.
      if ((wait.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) hungUp_ = true;
      return std::nullopt;
    }
    const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    // A terminal reports readable and then reads nothing (or EIO) once the
    // other end has gone.
    if (n == 0) hungUp_ = true;
    if (n < 0) Failed(errno);
    if (n <= 0) return std::nullopt;
    next_ = 0;
    end_ = static_cast<std::size_t>(n);
    return buffer_[next_++];
  }
}

}  // namespace tesmora::platform
