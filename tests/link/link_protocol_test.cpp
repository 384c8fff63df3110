#include "link/link_protocol.h"

#include <gtest/gtest.h>

#include <string>

namespace tesmora::link {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (const int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

// Feeds a whole line stream; returns what the file gets, or nothing when the
// end marker never came.
std::optional<std::string> Receive(TestFileStreamReceiver& receiver, const std::string& line) {
  std::string file;
  for (const char c : line) {
    if (receiver.Feed(static_cast<std::uint8_t>(c), file)) return file;
  }
  return std::nullopt;
}

TEST(TestFileStream, EscapeInNormalModeKeepsBothBytesAndSumsThem) {
  TestFileStreamReceiver receiver("03151234.312", false);
  EXPECT_EQ(Receive(receiver, Bytes({0x12, 0xFF, 0x34, 0x56, 0xFF, 0xFF})),
            Bytes({0x12, 0xFF, 0x34, 0x56}));
  EXPECT_EQ(receiver.sum().value, 0x19Bu);
  EXPECT_EQ(receiver.sum().Low(), 0x9B);
  EXPECT_EQ(receiver.sum().Second(), 0x01);
}

TEST(TestFileStream, EscapeInRawModeDropsTheFillerButSumsIt) {
  TestFileStreamReceiver receiver("flash.cnf", true);
  EXPECT_EQ(Receive(receiver, Bytes({0x12, 0xFF, 0x34, 0x56, 0xFF, 0xFF})),
            Bytes({0x12, 0xFF, 0x56}));
  EXPECT_EQ(receiver.sum().value, 0x19Bu);
}

TEST(TestFileStream, ConsistencyPrefixBecomesBasisFlagsAndShiftsTheVersionCapture) {
  // Prefix 0x0C, 12 header bytes, the 13th (format version 11), then the raw
  // pair: an escape pending before its first byte is dropped, and its second
  // byte is taken as data even when it is 0xFF.
  std::string line = Bytes({0x0C});
  std::string expected;
  for (int i = 1; i <= 12; ++i) {
    line.push_back(static_cast<char>(i));
    expected.push_back(static_cast<char>(i));
  }
  line += Bytes({11, 0xFF, 0x40, 0xFF, 0xFF, 0xFF});
  expected += Bytes({11, 0x40, 0xFF});
  TestFileStreamReceiver receiver("03151234.412", false);
  EXPECT_EQ(Receive(receiver, line), expected);
  EXPECT_EQ(receiver.basisFlags(), 0x0C);
  EXPECT_EQ(receiver.formatVersion(), 11);
  std::uint32_t sum = 0x0C + 11 + 0x40 + 0xFF;
  for (int i = 1; i <= 12; ++i) sum += static_cast<std::uint32_t>(i);
  EXPECT_EQ(receiver.sum().value, sum);
}

TEST(TestFileStream, RawPairSecondByteMayBe0xFF) {
  // Seventh byte 7 captures version 7, so the next two bytes go as they are.
  const std::string line = Bytes({1, 2, 3, 4, 5, 6, 7, 0x21, 0xFF, 0x22, 0xFF, 0xFF});
  TestFileStreamReceiver receiver("03151234.312", false);
  EXPECT_EQ(Receive(receiver, line), Bytes({1, 2, 3, 4, 5, 6, 7, 0x21, 0xFF, 0x22}));
  EXPECT_EQ(receiver.formatVersion(), 7);
}

TEST(TestFileStream, OldFormatVersionHasNoRawPair) {
  const std::string line = Bytes({1, 2, 3, 4, 5, 6, 6, 0x21, 0xFF, 0xFF});
  TestFileStreamReceiver receiver("03151234.312", false);
  EXPECT_EQ(Receive(receiver, line), Bytes({1, 2, 3, 4, 5, 6, 6, 0x21}));
}

TEST(TestFileStream, StreamWithoutEndMarkerNeverEnds) {
  TestFileStreamReceiver receiver("03151234.312", false);
  EXPECT_FALSE(Receive(receiver, Bytes({1, 2, 0xFF, 3, 4})));
}

TEST(FileSending, NormalSendsStoredFormRawAddsFillersBothSumTheSame) {
  const std::string file = Bytes({0x01, 0xFF, 0x02});
  const std::string normal = EncodeFileForSending(file, false);
  const std::string raw = EncodeFileForSending(file, true);
  EXPECT_EQ(normal, Bytes({0x01, 0xFF, 0x02, 0xFF, 0xFF}));
  EXPECT_EQ(raw, Bytes({0x01, 0xFF, 0x00, 0x02, 0xFF, 0xFF}));
  for (const std::string& wire : {normal, raw}) {
    RunningSum sum;
    for (const char c : wire) sum.Add(static_cast<std::uint8_t>(c));
    EXPECT_EQ(sum.value, 0x300u);
  }
  // What raw mode sends, raw mode receives unchanged.
  TestFileStreamReceiver receiver("file.bin", true);
  EXPECT_EQ(Receive(receiver, raw), file);
}

TEST(ListStream, EmptyListIsThreeEndMarkersSummingToZero) {
  ListStreamReceiver receiver;
  std::optional<ListEntry> entry;
  const std::string line(6, '\xFF');
  for (std::size_t i = 0; i < line.size(); ++i) {
    EXPECT_EQ(receiver.Feed(0xFF, entry), i == line.size() - 1);
    EXPECT_FALSE(entry);
  }
  EXPECT_EQ(receiver.sum().value, 0u);
}

TEST(ListStream, EntriesEndAtTheirThirdZeroInTheirSection) {
  const std::string line = std::string("03151234.312\0SAMPLE A\0001\0", 25) + "\xFF\xFF" +
                           std::string("FLASH.CNF\0\x8F\x5C\0\0", 14) + "\xFF\xFF\xFF\xFF";
  ListStreamReceiver receiver;
  std::vector<ListEntry> entries;
  std::optional<ListEntry> entry;
  bool ended = false;
  for (const char c : line) {
    ended = receiver.Feed(static_cast<std::uint8_t>(c), entry);
    if (entry) entries.push_back(*entry);
  }
  EXPECT_TRUE(ended);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].section, 0);
  EXPECT_EQ(entries[1].section, 1);
}

TEST(ListStream, OverlongEntryStaysInsideItsBufferAndStillEnds) {
  std::string line = "03151234.312";
  line.push_back('\0');
  line += std::string(200, 'S');
  line += std::string(
      "\0"
      "1\0",
      3);
  line += std::string(6, '\xFF');
  ListStreamReceiver receiver;
  std::optional<ListEntry> entry;
  std::vector<ListEntry> entries;
  for (const char c : line) {
    receiver.Feed(static_cast<std::uint8_t>(c), entry);
    if (entry) entries.push_back(*entry);
  }
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].bytes[kListEntrySize - 1], 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(entries[0].bytes.data()), 12),
            "03151234.312");
}

TEST(VersionStream, KeepsTenBytesDropsEscapesAndTheRest) {
  VersionStreamReceiver receiver;
  const std::string line =
      "KAL\xFF"
      "V2.41" +
      std::string(100, 'x') + "\xFF\xFF";
  bool ended = false;
  for (const char c : line) ended = receiver.Feed(static_cast<std::uint8_t>(c));
  EXPECT_TRUE(ended);
  EXPECT_EQ(VersionTextString(receiver.text()), "KALV2.41xx");
  std::uint32_t sum = 0;
  for (const char c : std::string("KALV2.41") + std::string(100, 'x')) sum += std::uint8_t(c);
  EXPECT_EQ(receiver.sum().value, sum);
}

// Whatever the line brings, the receivers stay inside their buffers (the
// sanitizer build checks every access) and keep their documented bounds.
TEST(LineNoise, RandomBytesNeverLeaveTheReceiversBuffers) {
  std::uint32_t state = 1;
  for (int run = 0; run < 20; ++run) {
    ListStreamReceiver list;
    VersionStreamReceiver version;
    TestFileStreamReceiver normal("03151234.412", false);
    TestFileStreamReceiver raw("a.bin", true);
    std::optional<ListEntry> entry;
    std::string out;
    std::size_t written = 0, fed = 0;
    for (int i = 0; i < 5000; ++i) {
      state = state * 1103515245u + 12345u;
      // Plenty of 0xFF and zero bytes, the two that steer the receivers.
      const auto pick = (state >> 16) % 8;
      const auto byte = static_cast<std::uint8_t>(pick == 0 ? 0xFF : pick == 1 ? 0 : state >> 24);
      list.Feed(byte, entry);
      if (entry) {
        ASSERT_EQ(entry->bytes[kListEntrySize - 1], 0);
        ASSERT_LE(entry->section, 2);
      }
      version.Feed(byte);
      out.clear();
      normal.Feed(byte, out);
      raw.Feed(byte, out);
      written += out.size();
      ++fed;
    }
    // A line byte never makes more than two file bytes.
    EXPECT_LE(written, 4 * fed);
  }
}

TEST(ProgramFiles, RotationAndSizeOfTheWorkedExample) {
  // k = 6: the bytes after it go rotated right by 6, 7, 0, 1.
  EXPECT_EQ(ProgramSizeBytes(4), (std::array<std::uint8_t, 3>{0x00, 0x00, 0x04}));
  EXPECT_EQ(RotateProgramByte(0x81, 6, 0), 0x06);  // 1000 0001 >> 6
  EXPECT_EQ(RotateProgramByte(0x81, 6, 1), 0x03);  // >> 7
  EXPECT_EQ(RotateProgramByte(0x81, 6, 2), 0x81);  // >> 0
  EXPECT_EQ(RotateProgramByte(0x81, 6, 3), 0xC0);  // >> 1
  for (int b = 0; b < 256; ++b) {
    for (std::size_t i = 0; i < 8; ++i) {
      ASSERT_EQ(UnrotateProgramByte(RotateProgramByte(std::uint8_t(b), 3, i), 3, i), b);
    }
  }
  EXPECT_EQ(ProgramSizeBytes(0x012345), (std::array<std::uint8_t, 3>{0x01, 0x23, 0x45}));
}

TEST(IdleBytes, RequestsAndTheirSpeedCodes) {
  struct Case {
    std::uint8_t byte;
    RecorderRequestKind kind;
    int speed;
    bool emergency;
  };
  const Case cases[] = {
      {0x13, RecorderRequestKind::Push, 3, false},
      {0x60, RecorderRequestKind::ProgramSize, 0, false},
      {0xC0, RecorderRequestKind::ProgramSize, 0, true},
      {0x82, RecorderRequestKind::ProgramData, 2, false},
      {0x91, RecorderRequestKind::ProgramData, 1, true},
      {0x61, RecorderRequestKind::None, 0, false},
      {0x50, RecorderRequestKind::None, 0, false},
      {0xFF, RecorderRequestKind::None, 0, false},
  };
  for (const Case& c : cases) {
    const RecorderRequest request = ClassifyIdleByte(c.byte);
    EXPECT_EQ(request.kind, c.kind) << int(c.byte);
    if (c.kind == RecorderRequestKind::None) continue;
    EXPECT_EQ(request.speedCode, c.speed) << int(c.byte);
    EXPECT_EQ(request.emergency, c.emergency) << int(c.byte);
  }
  EXPECT_TRUE(IsReplyTo(kCmdList, 0x53));
  EXPECT_FALSE(IsReplyTo(kCmdList, 0x43));
}

TEST(RecorderNames, OnlyPlainFileNamesMayBecomePcPaths) {
  for (const char* good : {"03151234.312", "flash.cnf", "cliente.txt", "A B.TXT"}) {
    EXPECT_TRUE(IsSafeRecorderName(good)) << good;
  }
  for (const std::string& bad : std::initializer_list<std::string>{
           "", ".", "..", "../12345.312", "a/b.312", "a\\b.312", "c:x.312",
           std::string("ab\0cd", 5), std::string("ab\x01", 3), "x*.312",
           std::string("\xE9t\xE9.txt")}) {
    EXPECT_FALSE(IsSafeRecorderName(bad)) << bad;
  }
}

}  // namespace
}  // namespace tesmora::link
