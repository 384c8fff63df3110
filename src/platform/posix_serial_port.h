#pragma once

#include <array>
#include <cstddef>

#include "platform/serial_port.h"

namespace tesmora::platform {

// SerialPort on a POSIX terminal device (a serial port or a pseudo-terminal).
// Reads are served from a small buffer filled by one read() per poll(), so a
// fast stream does not cost a system call per byte.
class PosixSerialPort : public SerialPort {
 public:
  PosixSerialPort() = default;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;
  ~PosixSerialPort() override;

  bool Open(const std::string& devicePath) override;
  void Close() override;
  bool IsOpen() const override { return fd_ >= 0; }
  bool SetSpeedCode(int code) override;
  void SetReadTimeout(int milliseconds) override { timeoutMs_ = milliseconds; }
  void Purge(bool output, bool input) override;
  bool SendImmediate(std::uint8_t byte) override;
  bool WriteByte(std::uint8_t byte) override;
  std::optional<std::uint8_t> ReadByte() override;
  bool HasBufferedInput() const override { return next_ < end_; }
  int PollDescriptor() const override { return fd_; }
  bool HungUp() const override { return hungUp_; }
  OpenError LastOpenError() const override { return openError_; }
  std::string ReturnPath() const override { return returnPath_; }

  // The baud rate the device was last set to (0 before any).
  int baudRate() const { return baudRate_; }

 private:
  bool WriteOne(std::uint8_t byte);
  // Notes a hang-up when the error is one; returns false for the caller.
  bool Failed(int error);
  // Notes why `path` did not open; returns false for the caller.
  bool Refused(const std::string& path, int error);

  int fd_ = -1;
  int timeoutMs_ = 0;
  int baudRate_ = 0;
  bool hungUp_ = false;
  OpenError openError_;
  std::string returnPath_;
  std::array<std::uint8_t, 512> buffer_{};
  std::size_t next_ = 0;
  std::size_t end_ = 0;
};

// Whether `path` is itself a pseudo-terminal's numbered node (not a link to
// one): the next terminal opened on the machine takes a freed number, so such
// a path never brings the same far end back.
bool IsNumberedPseudoTerminal(const std::string& path);
// The kind of failure an open() error number stands for.
OpenFailure OpenFailureOfError(int error);
// The name of the group that owns the file (the device node) at `path`, or
// its number when the group has no name; empty when the file is not there.
std::string OwningGroupName(const std::string& path);

// Sets a baud rate that termios has no constant for (56000) on an open
// terminal; kept apart because its kernel header clashes with <termios.h>.
bool SetCustomBaudRate(int fd, int baudRate);
// The output baud rate the kernel holds for the terminal, or -1.
int ReadBaudRate(int fd);

}  // namespace tesmora::platform
