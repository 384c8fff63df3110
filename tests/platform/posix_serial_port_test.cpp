#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <grp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include "support/temp_dir.h"
#include "support/wait.h"

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
  // "def" waits in the terminal's input queue, not yet read by the port.
  ASSERT_TRUE(tesmora::testing::WaitUntil([&] {
    int waiting = 0;
    return ::ioctl(port.PollDescriptor(), FIONREAD, &waiting) == 0 && waiting == 3;
  }));
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

TEST(PosixSerialPort, OpenErrorNumbersGiveTheirCauses) {
  const struct {
    int error;
    OpenFailure failure;
  } cases[] = {{ENOENT, OpenFailure::NoDevice},
               {ENXIO, OpenFailure::NoDevice},
               {ENODEV, OpenFailure::NoDevice},
               {EACCES, OpenFailure::PermissionDenied},
               {EPERM, OpenFailure::PermissionDenied},
               {EBUSY, OpenFailure::HeldElsewhere},
               {EIO, OpenFailure::Other},
               {ENOTTY, OpenFailure::Other},
               {0, OpenFailure::None}};
  for (const auto& c : cases) EXPECT_EQ(OpenFailureOfError(c.error), c.failure) << c.error;
}

TEST(PosixSerialPort, MissingDeviceIsNoSuchDeviceAndAGoodOpenClearsIt) {
  PosixSerialPort port;
  EXPECT_FALSE(port.Open("/dev/tesmora-no-such-port"));
  EXPECT_EQ(port.LastOpenError().failure, OpenFailure::NoDevice);
  PseudoTerminal terminal;
  ASSERT_TRUE(port.Open(terminal.path()));
  EXPECT_EQ(port.LastOpenError().failure, OpenFailure::None);
}

TEST(PosixSerialPort, FileThatIsNoTerminalIsRefusedWithoutANamedCause) {
  tesmora::testing::TempDir dir;
  tesmora::testing::WriteBytes(dir.File("plain"), "x");
  PosixSerialPort port;
  EXPECT_FALSE(port.Open(dir.File("plain")));
  EXPECT_EQ(port.LastOpenError().failure, OpenFailure::Other);
  EXPECT_FALSE(port.IsOpen());
}

TEST(PosixSerialPort, DeniedDeviceNamesTheGroupThatOwnsIt) {
  PseudoTerminal terminal;
  if (::geteuid() == 0) {
    GTEST_SKIP() << "root opens a device whatever its mode; the cause of EACCES is checked "
                    "through OpenErrorNumbersGiveTheirCauses and the group below";
  }
  ASSERT_EQ(::chmod(terminal.path().c_str(), 0), 0);
  PosixSerialPort port;
  EXPECT_FALSE(port.Open(terminal.path()));
  EXPECT_EQ(port.LastOpenError().failure, OpenFailure::PermissionDenied);
  EXPECT_EQ(port.LastOpenError().deviceGroup, OwningGroupName(terminal.path()));
  EXPECT_FALSE(port.LastOpenError().deviceGroup.empty());
}

TEST(PosixSerialPort, OwningGroupIsReadFromTheNode) {
  tesmora::testing::TempDir dir;
  tesmora::testing::WriteBytes(dir.File("node"), "");
  struct stat info {};
  ASSERT_EQ(::stat(dir.File("node").c_str(), &info), 0);
  const group* entry = ::getgrgid(info.st_gid);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(OwningGroupName(dir.File("node")), entry->gr_name);
  EXPECT_EQ(OwningGroupName(dir.File("absent")), "");
}

// Exclusive use: a second opener of the same device is refused as long as
// the first holds it (root included), and the device is free again after.
TEST(PosixSerialPort, SecondOpenOfTheSameDeviceIsRefusedUntilTheFirstCloses) {
  PseudoTerminal terminal;
  PosixSerialPort first, second;
  ASSERT_TRUE(first.Open(terminal.path()));
  EXPECT_FALSE(second.Open(terminal.path()));
  EXPECT_EQ(second.LastOpenError().failure, OpenFailure::HeldElsewhere);
  EXPECT_FALSE(second.IsOpen());
  EXPECT_TRUE(first.SendImmediate(0x50));
  EXPECT_EQ(terminal.ReadSome(), "P");
  first.Close();
  ASSERT_TRUE(second.Open(terminal.path()));
  // Our own open again, after a close of our own.
  second.Close();
  EXPECT_TRUE(second.Open(terminal.path()));
}

// A terminal's numbered node is handed to the next terminal once freed, so
// only a name that leads to it (a link, as a stable name is) is tried again
// when the device has gone.
TEST(PosixSerialPort, OnlyANameThatOutlivesTheDeviceIsKeptForItsReturn) {
  PseudoTerminal terminal;
  tesmora::testing::TempDir dir;
  const std::string link = dir.File("usb-KALDIRONE");
  std::filesystem::create_symlink(terminal.path(), link);
  EXPECT_TRUE(IsNumberedPseudoTerminal(terminal.path()));
  EXPECT_FALSE(IsNumberedPseudoTerminal(link));
  EXPECT_FALSE(IsNumberedPseudoTerminal("/dev/null"));
  PosixSerialPort port;
  ASSERT_TRUE(port.Open(terminal.path()));
  EXPECT_EQ(port.ReturnPath(), "");
  ASSERT_TRUE(port.Open(link));
  EXPECT_EQ(port.ReturnPath(), link);
  port.Close();
  EXPECT_EQ(port.ReturnPath(), link);
}

}  // namespace
}  // namespace tesmora::platform
