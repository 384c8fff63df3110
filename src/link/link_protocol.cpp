#include "link/link_protocol.h"

#include "records/test_names.h"

namespace tesmora::link {

RecorderRequest ClassifyIdleByte(std::uint8_t byte) {
  const int low = byte & 0x0F;
  switch (byte & 0xF0) {
    case 0x10:
      return {RecorderRequestKind::Push, low, false};
    case 0x80:
      return {RecorderRequestKind::ProgramData, low, false};
    case 0x90:
      return {RecorderRequestKind::ProgramData, low, true};
    default:
      break;
  }
  if (byte == 0x60) return {RecorderRequestKind::ProgramSize, 0, false};
  if (byte == 0xC0) return {RecorderRequestKind::ProgramSize, 0, true};
  return {};
}

std::string EncodeFileForSending(std::string_view file, bool rawMode) {
  std::string wire;
  wire.reserve(file.size() + 2);
  for (const char c : file) {
    wire.push_back(c);
    if (rawMode && static_cast<std::uint8_t>(c) == kEscape) wire.push_back(char(kRawFiller));
  }
  wire.push_back(char(kEscape));
  wire.push_back(char(kEscape));
  return wire;
}

bool IsConsistencyName(std::string_view name) { return IsConsistencyKind(KindDigitOf(name)); }

TestFileStreamReceiver::TestFileStreamReceiver(std::string_view name, bool rawMode)
    : raw_(rawMode),
      consistency_(!rawMode && IsConsistencyName(name)),
      prefixPending_(consistency_) {}

bool TestFileStreamReceiver::Feed(std::uint8_t byte, std::string& out) {
  // The second byte of the raw pair is taken as it comes, even 0xFF.
  const bool transparent = rawPairRemaining_ == 1;
  if (byte == kEscape && !transparent) {
    if (escapePending_) return true;
    escapePending_ = true;
    return false;
  }
  Handle(byte, out);
  escapePending_ = false;
  return false;
}

void TestFileStreamReceiver::Handle(std::uint8_t byte, std::string& out) {
  if (raw_) {
    if (escapePending_) {
      // 0xFF then a filler: the file gets only the 0xFF.
      out.push_back(char(kEscape));
      sum_.Add(kEscape);
    } else {
      out.push_back(char(byte));
    }
    sum_.Add(byte);
    return;
  }
  if (prefixPending_) {
    // A recorder never stuffs the flags byte; a pending escape before it is
    // dropped like the one before a raw-pair byte.
    prefixPending_ = false;
    basisFlags_ = byte;
    sum_.Add(byte);
    return;
  }
  if (rawPairRemaining_ > 0) {
    --rawPairRemaining_;
    out.push_back(char(byte));
    sum_.Add(byte);
    return;
  }
  if (escapePending_) {
    out.push_back(char(kEscape));
    sum_.Add(kEscape);
  }
  out.push_back(char(byte));
  sum_.Add(byte);
  if (formatVersion_) return;
  ++headerCount_;
  const int capturePosition = consistency_ ? 13 : 7;
  if (headerCount_ == capturePosition) {
    formatVersion_ = byte;
    const int rawPairFrom = consistency_ ? 11 : 7;
    if (byte >= rawPairFrom) rawPairRemaining_ = 2;
  }
}

bool ListStreamReceiver::Feed(std::uint8_t byte, std::optional<ListEntry>& entry) {
  entry.reset();
  if (byte == kEscape) {
    if (!escapePending_) {
      escapePending_ = true;
      return false;
    }
    escapePending_ = false;
    if (section_ >= kListSections - 1) return true;
    // An entry cut short by the end of its section is dropped with it.
    ++section_;
    index_ = 0;
    zeros_ = 0;
    current_ = ListEntry{};
    return false;
  }
  if (escapePending_) {
    Store(kEscape);
    sum_.Add(kEscape);
    escapePending_ = false;
  }
  Store(byte);
  sum_.Add(byte);
  if (byte == 0 && ++zeros_ == 3) {
    current_.section = section_;
    entry = current_;
    current_ = ListEntry{};
    index_ = 0;
    zeros_ = 0;
  }
  return false;
}

void ListStreamReceiver::Store(std::uint8_t byte) {
  if (index_ >= kListEntrySize) return;
  current_.bytes[index_++] = byte;
  if (index_ == kListEntrySize) current_.bytes[kListEntrySize - 1] = 0;
}

bool VersionStreamReceiver::Feed(std::uint8_t byte) {
  if (byte == kEscape) {
    if (escapePending_) return true;
    escapePending_ = true;
    return false;
  }
  escapePending_ = false;
  if (index_ < kVersionTextSize) text_[index_++] = static_cast<char>(byte);
  sum_.Add(byte);
  return false;
}

std::string VersionTextString(const std::array<char, kVersionTextSize>& text) {
  std::string result;
  for (const char c : text) {
    if (c == 0) break;
    result.push_back(c);
  }
  return result;
}

std::uint8_t RotateProgramByte(std::uint8_t byte, std::uint8_t rotationStart, std::size_t index) {
  const unsigned shift = static_cast<unsigned>((rotationStart + index) % 8);
  if (shift == 0) return byte;
  return static_cast<std::uint8_t>((byte >> shift) | (byte << (8 - shift)));
}

std::uint8_t UnrotateProgramByte(std::uint8_t byte, std::uint8_t rotationStart, std::size_t index) {
  const unsigned shift = static_cast<unsigned>((rotationStart + index) % 8);
  if (shift == 0) return byte;
  return static_cast<std::uint8_t>((byte << shift) | (byte >> (8 - shift)));
}

std::array<std::uint8_t, 3> ProgramSizeBytes(std::uint32_t programBytes) {
  return {static_cast<std::uint8_t>((programBytes >> 16) & 0xFF),
          static_cast<std::uint8_t>((programBytes >> 8) & 0xFF),
          static_cast<std::uint8_t>(programBytes & 0xFF)};
}

bool IsSafeRecorderName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.find("..") != std::string_view::npos) return false;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u >= 0x7F) return false;
    if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) return false;
  }
  return true;
}

}  // namespace tesmora::link
