#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The bytes on the line between the PC and the recorder, as functions and
// small state machines that run without a port.
namespace tesmora::link {

inline constexpr std::uint8_t kCmdList = 0x50;
inline constexpr std::uint8_t kCmdVersion = 0x70;
inline constexpr std::uint8_t kCmdGetFile = 0x40;
inline constexpr std::uint8_t kCmdPutFile = 0x30;
inline constexpr std::uint8_t kCmdDelete = 0xB0;
// Codes the link records for exchanges the recorder starts.
inline constexpr std::uint8_t kCodePush = 0x10;
inline constexpr std::uint8_t kCodeProgramSize = 0x60;
inline constexpr std::uint8_t kCodeProgramData = 0x80;

inline constexpr std::uint8_t kPutReady = 0x30;
inline constexpr std::uint8_t kDeleteConfirmed = 0x0A;
inline constexpr std::uint8_t kEscape = 0xFF;
inline constexpr std::uint8_t kRawFiller = 0x00;

inline constexpr std::size_t kListEntrySize = 30;
inline constexpr std::size_t kVersionTextSize = 10;
inline constexpr std::size_t kPushNameLength = 12;
inline constexpr int kListSections = 3;

// Acknowledgement intervals inside sends.
inline constexpr int kPutAckInterval = 200;
inline constexpr int kNormalProgramAckInterval = 2000;
inline constexpr int kEmergencyProgramAckInterval = 1000;

inline constexpr std::string_view kNormalProgramFile = "tesmz.zlv";
inline constexpr std::string_view kEmergencyProgramFile = "tesafe.zlv";

// A reply answers a command when its high four bits are the command's; its
// low four bits are the speed code for the rest of the exchange.
constexpr bool IsReplyTo(std::uint8_t command, std::uint8_t reply) {
  return (reply & 0xF0) == (command & 0xF0);
}
constexpr int SpeedCodeOf(std::uint8_t byte) { return byte & 0x0F; }

// What a byte arriving while the link is idle asks for.
enum class RecorderRequestKind { None, Push, ProgramSize, ProgramData };
struct RecorderRequest {
  RecorderRequestKind kind = RecorderRequestKind::None;
  int speedCode = 0;
  bool emergency = false;  // the program requests of the emergency program
};
RecorderRequest ClassifyIdleByte(std::uint8_t byte);

// The running sum of an exchange; the checksum handshake compares its low
// byte and then its second byte.
struct RunningSum {
  std::uint32_t value = 0;
  void Add(std::uint8_t byte) { value += byte; }
  std::uint8_t Low() const { return static_cast<std::uint8_t>(value & 0xFF); }
  std::uint8_t Second() const { return static_cast<std::uint8_t>((value >> 8) & 0xFF); }
};

// The bytes the PC writes to send a file: in normal mode the stored form as it
// is, in raw mode with a filler after each 0xFF; then the end marker.
std::string EncodeFileForSending(std::string_view file, bool rawMode);

// Whether a recorder test name is a consistency test (kind digit 4 or 5),
// whose stream starts with the basis flags byte.
bool IsConsistencyName(std::string_view name);

// The PC side of a received test-file stream (or, in raw mode, of any file):
// it takes the line's bytes one at a time and tells which bytes the file gets.
class TestFileStreamReceiver {
 public:
  TestFileStreamReceiver(std::string_view name, bool rawMode);
  // Appends to `out` the bytes this line byte makes the file hold. Returns true
  // once the end marker has arrived.
  bool Feed(std::uint8_t byte, std::string& out);
  const RunningSum& sum() const { return sum_; }
  std::optional<std::uint8_t> basisFlags() const { return basisFlags_; }
  std::optional<std::uint8_t> formatVersion() const { return formatVersion_; }

 private:
  void Handle(std::uint8_t byte, std::string& out);

  bool raw_;
  bool consistency_;
  bool prefixPending_;
  bool escapePending_ = false;
  int headerCount_ = 0;
  int rawPairRemaining_ = 0;
  std::optional<std::uint8_t> basisFlags_;
  std::optional<std::uint8_t> formatVersion_;
  RunningSum sum_;
};

// One complete entry of the list stream.
struct ListEntry {
  int section = 0;
  std::array<std::uint8_t, kListEntrySize> bytes{};
};

// The list stream: three sections of entries, each ended by the end marker.
// An entry is gathered in a buffer of kListEntrySize bytes; what a longer
// entry holds beyond it is dropped.
class ListStreamReceiver {
 public:
  // Returns true once the end marker of the last section has arrived; a
  // completed entry is put in `entry`.
  bool Feed(std::uint8_t byte, std::optional<ListEntry>& entry);
  const RunningSum& sum() const { return sum_; }

 private:
  void Store(std::uint8_t byte);

  int section_ = 0;
  bool escapePending_ = false;
  std::size_t index_ = 0;
  int zeros_ = 0;
  ListEntry current_;
  RunningSum sum_;
};

// The version stream: bytes stored from the start of a ten-byte text; a
// pending escape's 0xFF is dropped, and so is anything past ten bytes.
class VersionStreamReceiver {
 public:
  bool Feed(std::uint8_t byte);
  const RunningSum& sum() const { return sum_; }
  const std::array<char, kVersionTextSize>& text() const { return text_; }

 private:
  bool escapePending_ = false;
  std::size_t index_ = 0;
  std::array<char, kVersionTextSize> text_{};
  RunningSum sum_;
};

// The version text up to its first zero byte (all ten bytes when it has none).
std::string VersionTextString(const std::array<char, kVersionTextSize>& text);

// A program file: its first byte k is the rotation start; the i-th byte after
// it goes out rotated right by (k + i) mod 8 bits.
std::uint8_t RotateProgramByte(std::uint8_t byte, std::uint8_t rotationStart, std::size_t index);
// The inverse, for the recorder's side.
std::uint8_t UnrotateProgramByte(std::uint8_t byte, std::uint8_t rotationStart, std::size_t index);
// The three size bytes a size request gets (file size minus the rotation
// byte, most significant first).
std::array<std::uint8_t, 3> ProgramSizeBytes(std::uint32_t programBytes);

// Whether a name that came from the recorder may be used as a file name in a
// PC folder: not empty, no path separator, not "." or "..", and only
// printable characters that every file system of the PC accepts.
bool IsSafeRecorderName(std::string_view name);

}  // namespace tesmora::link
