#include "records/test_file_decoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace tesmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A file head: `zone` bytes, with the version word where the family keeps it.
Bytes Head(TestFamily family, int version, std::size_t zone) {
  Bytes bytes(zone, 0x11);
  const std::size_t offset = family == TestFamily::Inflation ? 6 : 12;
  bytes[offset] = static_cast<std::uint8_t>(version);
  bytes[offset + 1] = 0;
  return bytes;
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(Unstuffing, DropsTheByteAfterEachDataFFFromTheVersionsThatStuff) {
  // The exempt zone holds an FF, which never makes the next byte an extra one.
  const struct {
    TestFamily family;
    int version;
    std::size_t zone;
    bool stuffed;
  } cases[] = {
      {TestFamily::Inflation, 4, 7, false},    {TestFamily::Inflation, 5, 7, true},
      {TestFamily::Inflation, 6, 7, true},     {TestFamily::Inflation, 7, 8, true},
      {TestFamily::Consistency, 7, 13, false}, {TestFamily::Consistency, 8, 13, true},
      {TestFamily::Consistency, 11, 14, true},
  };
  for (const auto& c : cases) {
    Bytes head = Head(c.family, c.version, c.zone);
    head[c.zone - 1] = 0xFF;
    const Bytes data{0x01, 0xFF, 0xAA, 0x02, 0xFF, 0x00, 0x03};
    const Bytes file = Concat(head, data);
    const Bytes expected = c.stuffed ? Concat(head, Bytes{0x01, 0xFF, 0x02, 0xFF, 0x03}) : file;
    EXPECT_EQ(UnstuffTestFile(file, c.family, c.version), expected)
        << "version " << c.version << " zone " << c.zone;
    EXPECT_EQ(StuffingExemptZone(c.family, c.version), c.zone);
  }
}

TEST(Unstuffing, AnExtraByteFFMakesTheByteAfterItAnExtraByteAsWell) {
  const Bytes head = Head(TestFamily::Inflation, 5, 7);
  const Bytes file = Concat(head, Bytes{0xFF, 0xFF, 0x42, 0x43});
  EXPECT_EQ(UnstuffTestFile(file, TestFamily::Inflation, 5), Concat(head, Bytes{0xFF, 0x43}));
}

TEST(TextBlockMarker, IsFoundAfterAnOverlappingStart) {
  EXPECT_EQ(FindTextBlock(Bytes{0x00, 0xFF, 0xFF, 0x7F, 0xFF, 0x7F, 0x41}), 6u);
  EXPECT_EQ(FindTextBlock(Bytes{0xFF, 0x7F, 0xFF, 0x7F}), 4u);
  EXPECT_EQ(FindTextBlock(Bytes{0xFF, 0x7F, 0xFF, 0x7E, 0x7F}), std::nullopt);
  EXPECT_EQ(FindTextBlock(Bytes{}), std::nullopt);
}

TEST(TestTime, AnImplausibleCharacterGivesMidnight) {
  const struct {
    const char* bytes;
    const char* time;
  } cases[] = {{"23:59", "23:59"}, {"25:99", "00:00"}, {"1a:30", "00:00"},
               {"09:60", "00:00"}, {"30:00", "00:00"}, {"00:00", "00:00"}};
  for (const auto& c : cases) {
    const Bytes six(c.bytes, c.bytes + 6);
    EXPECT_STREQ(CheckedTestTime(six).data(), c.time) << c.bytes;
  }
}

TEST(PrepareTestCopy, RefusesVersionsBelowTheFamilysMinimumWithTheMessageToShow) {
  const struct {
    TestFamily family;
    int version;
    bool accepted;
  } cases[] = {{TestFamily::Inflation, 3, false},
               {TestFamily::Inflation, 4, true},
               {TestFamily::Consistency, 4, false},
               {TestFamily::Consistency, 5, true}};
  for (const auto& c : cases) {
    const PreparedCopy copy =
        PrepareTestCopy(Head(c.family, c.version, 16), c.family, "01020003.122", 1);
    EXPECT_EQ(copy.version != 0, c.accepted) << c.version;
    EXPECT_EQ(copy.failure, c.accepted ? "" : "01020003.122. WRONG VERSIONImpossible export");
  }
  // A file too short to hold its version has none.
  EXPECT_EQ(PrepareTestCopy(Bytes{1, 2, 3}, TestFamily::Inflation, "x", 1).version, 0);
}

TEST(DecodingFamily, OnlyKindsFourAndFiveAreConsistencyTests) {
  for (const char kind : {'1', '2', '3', '6', '7', '0', 'x'}) {
    EXPECT_EQ(DecodingFamily(kind), TestFamily::Inflation) << kind;
  }
  EXPECT_EQ(DecodingFamily('4'), TestFamily::Consistency);
  EXPECT_EQ(DecodingFamily('5'), TestFamily::Consistency);
}

}  // namespace
}  // namespace tesmora
