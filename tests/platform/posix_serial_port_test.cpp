#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>

namespace tesmora::platform {
namespace {

// The far end of a pseudo-terminal stands for the recorder.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
      char name[128];
      if (::ptsname_r(master_, name, sizeof name) == 0) path_ = name;
    }
    termios raw{};
    ::tcgetattr(master_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(master_, TCSANOW, &raw);
  }
  ~PseudoTerminal() { CloseFarEnd(); }
  // The recorder's side goes, as when the adapter is unplugged.
  void CloseFarEnd() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }
  const std::string& path() const { return path_; }
  void Write(std::string_view bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
  }
  std::string ReadSome() {
    char buffer[64];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
  }

 private:
  int master_ = -1;
  std::string path_;
};

TEST(PosixSerialPort, OpensRaw8N1WithoutFlowControlAt9600) {
  PseudoTerminal terminal;
  PosixSerialPort port;
  ASSERT_TRUE(port.Open(terminal.path()));
  termios settings{};
  ASSERT_EQ(::tcgetattr(port.PollDescriptor(), &settings), 0);
  EXPECT_EQ(settings.c_cflag & CSIZE, tcflag_t(CS8));
  EXPECT_EQ(settings.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
  EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(ReadBaudRate(port.PollDescriptor()), 9600);
}

TEST(PosixSerialPort, SpeedCodesSelectTheirBaudRatesAndOthersKeepTheSpeed) {
  PseudoTerminal terminal;
  PosixSerialPort port;
  ASSERT_TRUE(port.Open(terminal.path()));
  const int expected[] = {9600, 19200, 38400, 56000};
  for (int code = 3; code >= 0; --code) {
    ASSERT_TRUE(port.SetSpeedCode(code));
    EXPECT_EQ(ReadBaudRate(port.PollDescriptor()), expected[code]) << code;
  }
  ASSERT_TRUE(port.SetSpeedCode(3));
  EXPECT_TRUE(port.SetSpeedCode(7));
  EXPECT_EQ(ReadBaudRate(port.PollDescriptor()), 56000);
}

TEST(PosixSerialPort, FarEndClosingIsAHangUpUntilTheNextOpen) {
  PseudoTerminal terminal;
  PosixSerialPort port;
  ASSERT_TRUE(port.Open(terminal.path()));
  port.SetReadTimeout(0);
  EXPECT_EQ(port.ReadByte(), std::nullopt);
  EXPECT_FALSE(port.HungUp());  // nothing to read is no hang-up
  terminal.Write("A");
  port.SetReadTimeout(1000);
  EXPECT_EQ(port.ReadByte(), std::optional<std::uint8_t>('A'));
  EXPECT_FALSE(port.HungUp());
  terminal.CloseFarEnd();
  EXPECT_EQ(port.ReadByte(), std::nullopt);
  EXPECT_TRUE(port.HungUp());
  EXPECT_FALSE(port.SendImmediate(0x50));
  EXPECT_TRUE(port.HungUp());

  PseudoTerminal next;
  ASSERT_TRUE(port.Open(next.path()));
  EXPECT_FALSE(port.HungUp());
  port.Close();
  EXPECT_FALSE(port.HungUp());
}

TEST(PosixSerialPort, BytesPassUnchangedBothWays) {
  PseudoTerminal terminal;
  PosixSerialPort port;
  ASSERT_TRUE(port.Open(terminal.path()));
  // Bytes a cooked terminal would translate or act on.
  const std::string bytes("\x00\x0D\x0A\x03\x11\x13\xFF\x7F", 8);
  terminal.Write(bytes);
  port.SetReadTimeout(2000);
  std::string received;
  while (received.size() < bytes.size()) {
    const auto byte = port.ReadByte();
    ASSERT_TRUE(byte);
    received.push_back(static_cast<char>(*byte));
  }
  EXPECT_EQ(received, bytes);
  for (const char c : bytes) ASSERT_TRUE(port.WriteByte(static_cast<std::uint8_t>(c)));
  std::string sent;
  while (sent.size() < bytes.size()) sent += terminal.ReadSome();
  EXPECT_EQ(sent, bytes);
}

TEST(PosixSerialPort, IdleProfileReturnsAtOnceAndWaitProfileWaits) {
  PseudoTerminal terminal;
  PosixSerialPort port;
  ASSERT_TRUE(port.Open(terminal.path()));
  port.SetReadTimeout(0);
  EXPECT_FALSE(port.ReadByte());
  port.SetReadTimeout(60);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(port.ReadByte());
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
}

TEST(PosixSerialPort, PurgeDropsWhatCameInUnread) {
  PseudoTerminal terminal;
  PosixSerialPort port;
  ASSERT_TRUE(port.Open(terminal.path()));
  terminal.Write("abc");
  port.SetReadTimeout(2000);
  ASSERT_EQ(port.ReadByte(), 'a');  // the rest now sits in the port's buffer
  terminal.Write("def");
  ::usleep(20000);
  port.Purge(true, true);
  port.SetReadTimeout(0);
  EXPECT_FALSE(port.HasBufferedInput());
  EXPECT_FALSE(port.ReadByte());
  terminal.Write("g");
  port.SetReadTimeout(2000);
  EXPECT_EQ(port.ReadByte(), 'g');
}

TEST(PosixSerialPort, MissingDeviceDoesNotOpen) {
  PosixSerialPort port;
  EXPECT_FALSE(port.Open("/dev/tesmora-no-such-port"));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.ReadByte());
  EXPECT_FALSE(port.SendImmediate(0x50));
}

}  // namespace
}  // namespace tesmora::platform
