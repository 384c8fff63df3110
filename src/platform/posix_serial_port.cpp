#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

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

bool PosixSerialPort::Open(const std::string& devicePath) {
  Close();
  // Non-blocking open so that a modem line without carrier does not hang us;
  // reads are paced by poll() afterwards.
  const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) {
    ::close(fd);
    return false;
  }
  ::cfmakeraw(&settings);
  settings.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS | CSIZE);
  settings.c_cflag |= CS8 | CLOCAL | CREAD;
  settings.c_iflag &= ~(IXON | IXOFF | IXANY);
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
  ::cfsetispeed(&settings, B9600);
  ::cfsetospeed(&settings, B9600);
  if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  hungUp_ = false;
  baudRate_ = 9600;
  timeoutMs_ = 0;
  next_ = end_ = 0;
  return true;
}

void PosixSerialPort::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  hungUp_ = false;
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
