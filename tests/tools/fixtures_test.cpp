#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "fixtures/test_file_writer.h"
#include "support/temp_dir.h"

namespace tesmora::fixtures {
namespace {

// The recorder's rule, written out independently of the generator: after the
// exempt zone every FF makes the byte after it an extra byte, even when that
// FF is itself an extra byte.
Bytes Unstuff(const Bytes& stored, std::size_t exemptZone) {
  Bytes data;
  bool dropNext = false;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const std::uint8_t b = stored[i];
    if (dropNext) {
      dropNext = false;
    } else {
      data.push_back(b);
    }
    if (i >= exemptZone && b == 0xFF) dropNext = true;
  }
  return data;
}

std::uint16_t U16(const Bytes& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}
// A little-endian value of type T stored on the bytes of an unsigned Bits.
template <typename T, typename Bits>
T Read(const Bytes& bytes, std::size_t at) {
  Bits bits = 0;
  for (std::size_t k = sizeof(Bits); k-- > 0;)
    bits = static_cast<Bits>(bits << 8 | bytes.at(at + k));
  T value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}
float F32(const Bytes& bytes, std::size_t at) { return Read<float, std::uint32_t>(bytes, at); }
double F64(const Bytes& bytes, std::size_t at) { return Read<double, std::uint64_t>(bytes, at); }
std::string Text(const Bytes& bytes, std::size_t at, std::size_t size) {
  return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                     bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
}

// Offset of the first FF 7F FF 7F, or npos.
std::size_t FindMarker(const Bytes& bytes) {
  const auto it = std::search(bytes.begin(), bytes.end(), kTextMarker.begin(), kTextMarker.end());
  return it == bytes.end() ? std::string::npos : static_cast<std::size_t>(it - bytes.begin());
}

bool IsInflation(const std::string& name) {
  return std::string("1236").find(name[9]) != std::string::npos;
}

// Version of a stored file: both version words lie before the stuffed part.
std::uint16_t VersionOf(const std::string& name, const Bytes& stored) {
  return IsInflation(name) ? U16(stored, 6) : U16(stored, 12);
}

Bytes UnstuffedCopy(const std::string& name, const Bytes& stored) {
  const std::uint16_t version = VersionOf(name, stored);
  if (IsInflation(name)) return version < 5 ? stored : Unstuff(stored, version < 7 ? 7 : 8);
  return version < 8 ? stored : Unstuff(stored, version < 11 ? 13 : 14);
}

InflationTestSpec SmallInflationTest(std::uint16_t version) {
  InflationTestSpec test;
  test.version = version;
  test.sampleIntervalMs = 60;
  test.curveFlags = 0x05;
  test.curveCount = 2;
  test.q1 = 11;
  test.q2 = 111;
  test.q3 = 1003;
  test.testTime = "08:07";
  test.degradation = 1;
  test.firstSeriesCount = 1;
  test.curves = {{100, 0x01FF, 300}, {400, 500}};
  test.meanCurve = {250, 0x02FF};
  test.results = {61.5f, 88.0f, 97.0f, 21.9f, 250.5f, 0.91f, 0.55f, "55", 130.25f, 54.5f};
  test.protocolNumber = 7;
  test.gainWord = 1020;
  test.text.sample = "LOT 1";
  return test;
}

TEST(Stuffing, RoundTripsForEveryExemptZone) {
  // FF at the very start, runs of FF, FF at each zone edge and as last byte.
  Bytes data = {0xFF, 0xFF, 0x01, 0xFF, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0x04,
                0x05, 0x06, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0xFF};
  for (std::size_t zone : {std::size_t{7}, std::size_t{8}, std::size_t{13}, std::size_t{14}}) {
    for (std::uint8_t extra : {std::uint8_t{0x00}, std::uint8_t{0x7F}}) {
      const Bytes stored = StuffBytes(data, zone, extra);
      EXPECT_EQ(Unstuff(stored, zone), data) << "zone " << zone;
      const auto ffAfterZone = std::count(data.begin() + static_cast<std::ptrdiff_t>(zone),
                                          data.end(), std::uint8_t{0xFF});
      EXPECT_EQ(stored.size(), data.size() + static_cast<std::size_t>(ffAfterZone));
      EXPECT_TRUE(std::equal(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(zone),
                             stored.begin()))
          << "the exempt zone is copied unchanged, zone " << zone;
    }
  }
  EXPECT_EQ(InflationExemptZone(4), 7u);
  EXPECT_EQ(InflationExemptZone(6), 7u);
  EXPECT_EQ(InflationExemptZone(7), 8u);
  EXPECT_EQ(ConsistencyExemptZone(10), 13u);
  EXPECT_EQ(ConsistencyExemptZone(11), 14u);
}

TEST(Stuffing, StartsAtTheFirstStuffedVersionOfEachFamily) {
  const struct {
    std::uint16_t version;
    bool stuffed;
  } inflation[] = {{4, false}, {5, true}, {6, true}, {7, true}},
    consistency[] = {{5, false}, {6, false}, {7, false}, {8, true}, {9, true}, {11, true}};
  for (const auto& c : inflation) {
    const InflationTestSpec test = SmallInflationTest(c.version);
    const Bytes plain = BuildUnstuffedInflationFile(test);
    const Bytes stored = BuildInflationFile(test);
    EXPECT_EQ(stored == plain, !c.stuffed) << "inflation version " << c.version;
    if (c.stuffed) {
      EXPECT_EQ(Unstuff(stored, InflationExemptZone(c.version)), plain);
    }
  }
  for (const auto& c : consistency) {
    ConsistencyTestSpec test;
    test.version = c.version;
    test.samples = {10, 255, 511, 700};
    const Bytes plain = BuildUnstuffedConsistencyFile(test);
    const Bytes stored = BuildConsistencyFile(test);
    EXPECT_EQ(stored == plain, !c.stuffed) << "consistency version " << c.version;
    if (c.stuffed) {
      EXPECT_EQ(Unstuff(stored, ConsistencyExemptZone(c.version)), plain);
    }
  }
}

TEST(InflationFile, FieldsLieAtTheirOffsetsAndVersionSevenShiftsThem) {
  for (std::uint16_t version : {4, 6, 7}) {
    SCOPED_TRACE(version);
    const InflationTestSpec test = SmallInflationTest(version);
    const Bytes file = BuildUnstuffedInflationFile(test);
    const std::size_t s = version >= 7 ? 2 : 0;
    EXPECT_EQ(U16(file, 0), 60);
    EXPECT_EQ(U16(file, 2), 0x05);
    EXPECT_EQ(U16(file, 4), 2);
    EXPECT_EQ(U16(file, 6), version);
    EXPECT_EQ(U16(file, 8 + s), 11);
    EXPECT_EQ(U16(file, 10 + s), 111);
    EXPECT_EQ(U16(file, 12 + s), 1003);
    EXPECT_EQ(Text(file, 14 + s, 6), std::string("08:07\0", 6));
    EXPECT_EQ(file[20 + s], 1);
    EXPECT_EQ(file[21 + s], 1);
    EXPECT_EQ(U16(file, 22 + s), 807);

    // Each curve, the mean curve too, is closed by 32000 and followed by one more word.
    const std::size_t curves = 24 + s;
    const std::uint16_t words[] = {100,       0x01FF, 300, kCurveEnd, 0,         400, 500,
                                   kCurveEnd, 0,      250, 0x02FF,    kCurveEnd, 0};
    for (std::size_t k = 0; k < std::size(words); ++k) {
      EXPECT_EQ(U16(file, curves + 2 * k), words[k]) << "word " << k;
    }

    const std::size_t results = curves + 26;
    const float floats[] = {61.5f, 88.0f, 97.0f, 21.9f, 250.5f, 0.91f, 0.55f};
    for (std::size_t k = 0; k < 7; ++k) EXPECT_EQ(F32(file, results + 4 * k), floats[k]);
    EXPECT_EQ(Text(file, results + 28, 4), std::string("55\0\0", 4));
    EXPECT_EQ(F32(file, results + 32), 130.25f);
    EXPECT_EQ(F32(file, results + 38), 54.5f);

    // 2 f32, (1 + N) + (5 - N) + 3 words, 2 bytes, 2 f32; then protocol, gain, one word.
    const std::size_t protocol = results + 42 + 8 + 12 + 6 + 2 + 8;
    EXPECT_EQ(U16(file, protocol), 7);
    EXPECT_EQ(U16(file, protocol + 2), 1020);
    EXPECT_EQ(FindMarker(file), protocol + 6);
    EXPECT_EQ(file.size(), protocol + 6 + 4 + kTextBlockSize);
    EXPECT_EQ(Text(file, protocol + 10, 6), std::string("LOT 1\0", 6));
  }
}

TEST(InflationFile, OverlongCurveIsWrittenAsGivenThenClosed) {
  InflationTestSpec test = SmallInflationTest(6);
  test.curves[0].assign(503, 1234);
  const Bytes file = BuildUnstuffedInflationFile(test);
  for (std::size_t k = 0; k < 503; ++k) ASSERT_EQ(U16(file, 24 + 2 * k), 1234) << k;
  EXPECT_EQ(U16(file, 24 + 2 * 503), kCurveEnd);
}

TEST(InflationFile, InvalidTestTimeIsWrittenAsGivenWithItsNumberZero) {
  for (const char* time : {"25:99", "1a:30", "7:5"}) {
    InflationTestSpec test = SmallInflationTest(6);
    test.testTime = time;
    const Bytes file = BuildUnstuffedInflationFile(test);
    std::string expected(time);
    expected.resize(6, '\0');
    EXPECT_EQ(Text(file, 14, 6), expected);
    if (std::string(time) == "25:99") {
      EXPECT_EQ(U16(file, 22), 2599);
    } else {
      EXPECT_EQ(U16(file, 22), 0) << time;
    }
  }
}

// Walks a consistency file in the documented order.
struct ConsistencyView {
  std::size_t kWords, samples, sampleCount, typeAgain, time, protocol, fit, marker;
};
ConsistencyView Walk(const Bytes& file) {
  ConsistencyView v{};
  const std::size_t s = U16(file, 12) >= 11 ? 2 : 0;
  v.kWords = 16 + s;
  v.samples = 34 + s;
  std::size_t at = v.samples;
  while (U16(file, at) != kSamplesEnd) at += 2;
  v.sampleCount = (at - v.samples) / 2;
  v.typeAgain = at + 2 + 2 + 4 + 16;
  v.time = v.typeAgain + 2 + 4 + 4 + 13 * 8;
  v.protocol = v.time + 6 + 2 + 8;
  v.fit = v.protocol + 2;
  v.marker = v.fit + 7 * 8 + (U16(file, 12) >= 9 ? 2 : 0);
  return v;
}

TEST(ConsistencyFile, FieldsLieAtTheirOffsetsForEachLayout) {
  for (std::uint16_t version : {8, 9, 10, 11}) {
    SCOPED_TRACE(version);
    ConsistencyTestSpec test;
    test.version = version;
    test.testType = 2;
    test.testTypeAgain = 2;
    test.timeStepWord = 1;
    test.k1 = 1, test.k2 = 2, test.k3 = 3, test.k4 = 4, test.k5 = 5, test.k6 = 6;
    test.samples = {0, 255, 0x3231, 900};
    test.prMax = 512.5f;
    test.h2o = 14.5f;
    for (std::size_t k = 0; k < 13; ++k) test.results[k] = 100.0 + double(k);
    test.testTime = "23:59";
    test.protocolNumber = 4;
    for (std::size_t k = 0; k < 7; ++k) test.fit[k] = -1.5 * double(k + 1);
    test.recalculationWord = 1;
    test.text.customer = "7";
    const Bytes file = BuildUnstuffedConsistencyFile(test);
    const ConsistencyView v = Walk(file);

    EXPECT_EQ(U16(file, 2), 2);
    EXPECT_EQ(U16(file, 8), 1);
    EXPECT_EQ(U16(file, 12), version);
    for (std::uint16_t k = 0; k < 5; ++k) EXPECT_EQ(U16(file, v.kWords + 2 * k), k + 1);
    EXPECT_EQ(U16(file, v.kWords + 12), 6) << "degree of the polynomial";
    EXPECT_EQ(U16(file, v.kWords + 14), 6) << "K6";
    ASSERT_EQ(v.sampleCount, 4u);
    EXPECT_EQ(U16(file, v.samples + 2), 255);
    EXPECT_EQ(U16(file, v.samples + 4), 0x3231);
    EXPECT_EQ(U16(file, v.typeAgain), 2);
    EXPECT_EQ(F32(file, v.typeAgain + 2), 512.5f);
    EXPECT_EQ(F32(file, v.typeAgain + 6), 14.5f);
    for (std::size_t k = 0; k < 13; ++k) {
      EXPECT_EQ(F64(file, v.typeAgain + 10 + 8 * k), 100.0 + double(k));
    }
    EXPECT_EQ(Text(file, v.time, 6), std::string("23:59\0", 6));
    EXPECT_EQ(U16(file, v.protocol), 4);
    for (std::size_t k = 0; k < 7; ++k) EXPECT_EQ(F64(file, v.fit + 8 * k), -1.5 * double(k + 1));
    if (version >= 9) {
      EXPECT_EQ(U16(file, v.marker - 2), 1) << "recalculation word";
    }
    EXPECT_EQ(FindMarker(file), v.marker);
    EXPECT_EQ(file.size(), v.marker + 4 + kTextBlockSize);
    EXPECT_EQ(Text(file, v.marker + 4 + 39, 2), std::string("7\0", 2));
  }
}

struct FieldPlace {
  std::string TextFields::*field;
  std::size_t offset, width;
};
const FieldPlace kFieldPlaces[] = {
    {&TextFields::sample, 0, 13},      {&TextFields::flour, 13, 13},
    {&TextFields::mill, 26, 13},       {&TextFields::customer, 39, 3},
    {&TextFields::temperature, 42, 5}, {&TextFields::hygrometry, 49, 6},
    {&TextFields::moisture, 55, 6},    {&TextFields::fallingNumber, 61, 4},
    {&TextFields::protein, 65, 6},     {&TextFields::starchDamage, 71, 6},
    {&TextFields::zeleny, 77, 4},      {&TextFields::ash, 81, 6},
    {&TextFields::gluten, 87, 15},     {&TextFields::waterAbsorption, 102, 6},
    {&TextFields::extraction, 108, 6}, {&TextFields::wxLength, 114, 4},
    {&TextFields::comment1, 118, 35},  {&TextFields::comment2, 153, 35},
};

TEST(TextBlock, EveryFieldAtItsOffsetWithItsZeroAndFiller) {
  TextFields text;
  // Each field one character short of its width: its zero is its last byte.
  for (std::size_t k = 0; k < std::size(kFieldPlaces); ++k) {
    text.*kFieldPlaces[k].field = std::string(kFieldPlaces[k].width - 1, char('A' + k));
  }
  text.temperatureUnit = 'F';
  const Bytes block = EncodeTextBlock(text);
  ASSERT_EQ(block.size(), kTextBlockSize);
  for (const FieldPlace& place : kFieldPlaces) {
    std::string expected = text.*place.field;
    expected.push_back('\0');
    EXPECT_EQ(Text(block, place.offset, place.width), expected) << "field at " << place.offset;
  }
  EXPECT_EQ(Text(block, 47, 2), std::string("F\0", 2));
  EXPECT_TRUE(std::all_of(block.begin() + 188, block.end(), [](std::uint8_t b) { return b == 0; }));

  // Short values leave zero filler up to the next field.
  TextFields sparse;
  sparse.customer = "12";
  sparse.comment1 = "OK";
  const Bytes short_block = EncodeTextBlock(sparse);
  EXPECT_EQ(Text(short_block, 39, 3), std::string("12\0", 3));
  EXPECT_EQ(Text(short_block, 118, 35), std::string("OK") + std::string(33, '\0'));
  EXPECT_EQ(Text(short_block, 47, 2), std::string("C\0", 2));
}

TEST(TextBlock, FullAndOverlongFieldsRunOnWithoutTheirZero) {
  TextFields text;
  text.gluten = "GLUTEN SEC 9.8%";  // 15 characters, the field's width
  text.waterAbsorption = "";
  text.moisture = "14.25 %";  // 7 characters in a field of 6
  text.fallingNumber = "";
  text.protein = "12.5";
  text.zeleny = "\xFF";
  text.comment2 = std::string(40, 'X');  // runs into the reserved bytes
  text.reserved = std::string(60, 'R');  // cut at the end of the block
  const Bytes block = EncodeTextBlock(text);
  ASSERT_EQ(block.size(), kTextBlockSize);
  EXPECT_EQ(Text(block, 87, 16), "GLUTEN SEC 9.8%" + std::string(1, '\0'));
  EXPECT_EQ(Text(block, 55, 8), std::string("14.25 %\0", 8));
  EXPECT_EQ(Text(block, 65, 5), std::string("12.5\0", 5));
  EXPECT_EQ(Text(block, 77, 2), std::string("\xFF\0", 2));
  EXPECT_EQ(Text(block, 153, 40), std::string(40, 'X'));
  EXPECT_EQ(Text(block, 193, 43), std::string(43, 'R'))
      << "reserved keeps its bytes past the overrun";
}

TEST(ListFiles, CustomerAndProtocolRecordsAtTheirOffsets) {
  const Bytes customers =
      BuildCustomerFile({{{"MOULIN", "RUE 1", "", std::string(40, 'Z')}}, {{"B", "", "", "LAST"}}});
  ASSERT_EQ(customers.size(), 2u + 2 * 140);
  EXPECT_EQ(Text(customers, 2, 7), std::string("MOULIN\0", 7));
  EXPECT_EQ(Text(customers, 2 + 35, 6), std::string("RUE 1\0", 6));
  EXPECT_EQ(Text(customers, 2 + 105, 35), std::string(34, 'Z') + std::string(1, '\0'));
  EXPECT_EQ(Text(customers, 2 + 140 + 105, 5), std::string("LAST\0", 5));

  const std::vector<ProtocolSpec> standard = StandardProtocols();
  const Bytes protocols = BuildProtocolFile(standard);
  ASSERT_EQ(protocols.size(), 2u + 21 * 20);
  EXPECT_EQ(Text(protocols, 2, 9), std::string("STANDARD\0", 9));
  for (std::size_t k = 0; k < 21; ++k) {
    const ProtocolSpec& p = standard[k];
    const std::size_t at = 2 + 20 * k;
    EXPECT_EQ(protocols[at + 15], 0) << k;
    EXPECT_EQ(static_cast<std::int16_t>(U16(protocols, at + 16)), p.lowerPrMax) << k;
    EXPECT_EQ(static_cast<std::int16_t>(U16(protocols, at + 18)), p.targetPrMax) << k;
  }
  const Bytes negative = BuildProtocolFile({{"NEG", -5, 300}});
  EXPECT_EQ(negative[2 + 16], 0xFB);
  EXPECT_EQ(negative[2 + 17], 0xFF);
}

bool IsRealDate(const std::string& name) {
  const int month = std::stoi(name.substr(0, 2));
  const int day = std::stoi(name.substr(2, 2));
  const int yy = std::stoi(name.substr(10, 2));
  const int year = yy >= 95 ? 1900 + yy : 2000 + yy;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int days[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month >= 1 && month <= 12 && day >= 1 && day <= days[month - 1];
}

bool IsValidTime(const std::string& t) {
  return t[0] >= '0' && t[0] <= '2' && std::isdigit(static_cast<unsigned char>(t[1])) &&
         t[2] == ':' && t[3] >= '0' && t[3] <= '5' &&
         std::isdigit(static_cast<unsigned char>(t[4]));
}

TEST(StandardSet, NamesAreUniqueRealDatesAndEveryKindAndVersionIsThere) {
  const std::vector<NamedFile> set = StandardSet();
  ASSERT_GE(set.size(), 12u);
  std::set<std::string> names;
  std::set<char> kinds;
  std::set<int> inflationVersions, consistencyVersions;
  for (const NamedFile& file : set) {
    const std::string& n = file.name;
    ASSERT_EQ(n.size(), 12u) << n;
    for (std::size_t i : {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11}) {
      EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(n[i]))) << n;
    }
    EXPECT_EQ(n[8], '.') << n;
    EXPECT_TRUE(IsRealDate(n)) << n;
    EXPECT_TRUE(names.insert(n).second) << "duplicate " << n;
    EXPECT_FALSE(file.description.empty()) << n;
    kinds.insert(n[9]);
    (IsInflation(n) ? inflationVersions : consistencyVersions).insert(VersionOf(n, file.bytes));
  }
  EXPECT_EQ(kinds, (std::set<char>{'1', '2', '3', '4', '5', '6'}));
  for (int v : {4, 5, 6, 7}) EXPECT_TRUE(inflationVersions.count(v)) << "inflation " << v;
  for (int v : {5, 6, 8, 9, 10, 11})
    EXPECT_TRUE(consistencyVersions.count(v)) << "consistency " << v;
}

TEST(StandardSet, StoredFilesAreStuffedAndEndWithTheOnlyMarkerAndTheTextBlock) {
  for (const NamedFile& file : StandardSet()) {
    SCOPED_TRACE(file.name);
    const std::uint16_t version = VersionOf(file.name, file.bytes);
    const bool stuffed = IsInflation(file.name) ? version >= 5 : version >= 8;
    const std::size_t zone =
        IsInflation(file.name) ? InflationExemptZone(version) : ConsistencyExemptZone(version);
    const Bytes copy = UnstuffedCopy(file.name, file.bytes);
    if (stuffed) {
      // Every FF after the exempt zone is followed by exactly one extra byte 00.
      EXPECT_EQ(StuffBytes(copy, zone), file.bytes);
      EXPECT_GT(file.bytes.size(), copy.size());
    }
    // Data bytes FF before the marker, so that the stuffing is exercised by the data itself.
    const std::size_t marker = FindMarker(copy);
    EXPECT_GT(std::count(copy.begin() + static_cast<std::ptrdiff_t>(zone),
                         copy.begin() + static_cast<std::ptrdiff_t>(std::min(marker, copy.size())),
                         std::uint8_t{0xFF}),
              0);
    EXPECT_EQ(marker, copy.size() - 4 - kTextBlockSize);
  }
}

// What the awkward cases of one stored file are, read from its bytes.
struct Traits {
  bool degradationWithSecondSeries = false, degradationWithoutSecondSeries = false;
  bool firstCurveEarly = false, curvesEndApart = false;
  bool customer = false, noCustomer = false, invalidTime = false;
  bool fieldFillsWidth = false, fieldOverflows = false, fieldEndsText = false;
  bool recalculation = false, noRecalculation = false, halfSecond = false;
  bool byteFFBeforeMarker = false, reservedIgnored = false, reservedKept = false;
};

Traits TraitsOf(const NamedFile& file) {
  Traits t;
  const Bytes copy = UnstuffedCopy(file.name, file.bytes);
  const std::size_t text = FindMarker(copy) + 4;
  std::string time;
  if (IsInflation(file.name)) {
    const std::size_t s = U16(copy, 6) >= 7 ? 2 : 0;
    const unsigned flags = U16(copy, 2) & 0x1F, n = copy[4], first = copy[21 + s];
    time = Text(copy, 14 + s, 5);
    if (copy[20 + s] == 1) {
      const bool second = (flags >> first) != 0;
      t.degradationWithSecondSeries = second;
      t.degradationWithoutSecondSeries = !second;
    }
    std::vector<std::size_t> lengths;
    std::size_t at = 24 + s;
    for (unsigned k = 0; k < n; ++k) {
      std::size_t count = 0;
      while (U16(copy, at) != kCurveEnd) at += 2, ++count;
      at += 4;
      lengths.push_back(count);
    }
    t.curvesEndApart = std::set<std::size_t>(lengths.begin(), lengths.end()).size() > 1;
    t.firstCurveEarly =
        lengths.size() > 1 && std::all_of(lengths.begin() + 1, lengths.end(),
                                          [&](std::size_t l) { return lengths[0] * 10 < l * 8; });
  } else {
    const ConsistencyView v = Walk(copy);
    time = Text(copy, v.time, 5);
    t.halfSecond = copy[8] == 1;
    if (U16(copy, 12) >= 9) {
      (copy[v.marker - 2] != 0 ? t.recalculation : t.noRecalculation) = true;
    }
  }
  t.invalidTime = !IsValidTime(time);
  t.byteFFBeforeMarker = copy[text - 5] == 0xFF;
  if (std::any_of(copy.begin() + static_cast<std::ptrdiff_t>(text + 190), copy.end(),
                  [](std::uint8_t b) { return b != 0; })) {
    const bool read = IsInflation(file.name) ? U16(copy, 6) >= 6 : U16(copy, 12) >= 10;
    (read ? t.reservedKept : t.reservedIgnored) = true;
  }
  (copy[text + 39] == 0 ? t.noCustomer : t.customer) = true;
  for (std::size_t k = 0; k + 1 < std::size(kFieldPlaces); ++k) {
    const std::size_t at = text + kFieldPlaces[k].offset, width = kFieldPlaces[k].width;
    if (copy[at] == 0xFF) t.fieldEndsText = true;
    std::size_t zero = 0;
    while (copy[at + zero] != 0) ++zero;
    if (copy[at] != 0xFF && zero == width) t.fieldFillsWidth = true;
    if (copy[at] != 0xFF && zero > width) t.fieldOverflows = true;
  }
  return t;
}

TEST(StandardSet, HoldsEveryAwkwardCase) {
  Traits any;
  std::size_t multiCurve = 0, apart = 0;
  for (const NamedFile& file : StandardSet()) {
    const Traits t = TraitsOf(file);
    for (auto flag :
         {&Traits::degradationWithSecondSeries, &Traits::degradationWithoutSecondSeries,
          &Traits::firstCurveEarly, &Traits::customer, &Traits::noCustomer, &Traits::invalidTime,
          &Traits::fieldFillsWidth, &Traits::fieldOverflows, &Traits::fieldEndsText,
          &Traits::recalculation, &Traits::noRecalculation, &Traits::halfSecond,
          &Traits::byteFFBeforeMarker, &Traits::reservedIgnored, &Traits::reservedKept}) {
      any.*flag = any.*flag || t.*flag;
    }
    if (IsInflation(file.name)) ++multiCurve, apart += t.curvesEndApart;
  }
  EXPECT_TRUE(any.degradationWithSecondSeries);
  EXPECT_TRUE(any.degradationWithoutSecondSeries);
  EXPECT_TRUE(any.firstCurveEarly);
  EXPECT_EQ(apart, multiCurve) << "curves of a test end at different rows";
  EXPECT_TRUE(any.customer);
  EXPECT_TRUE(any.noCustomer);
  EXPECT_TRUE(any.invalidTime);
  EXPECT_TRUE(any.fieldFillsWidth);
  EXPECT_TRUE(any.fieldOverflows);
  EXPECT_TRUE(any.fieldEndsText);
  EXPECT_TRUE(any.recalculation);
  EXPECT_TRUE(any.noRecalculation);
  EXPECT_TRUE(any.halfSecond);
  EXPECT_TRUE(any.byteFFBeforeMarker);
  EXPECT_TRUE(any.reservedIgnored);
  EXPECT_TRUE(any.reservedKept);
}

TEST(StandardSet, SameSeedGivesSameBytes) {
  const auto a = StandardSet(7), b = StandardSet(7), c = StandardSet(8);
  ASSERT_EQ(a.size(), b.size());
  bool seedMatters = false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    EXPECT_EQ(a[k].name, b[k].name);
    EXPECT_EQ(a[k].bytes, b[k].bytes) << a[k].name;
    seedMatters = seedMatters || a[k].bytes != c[k].bytes;
  }
  EXPECT_TRUE(seedMatters);
}

double PressureOf(const InflationTestSpec& test, double raw) {
  const double scale = test.q3 / ((double(test.q2) - test.q1) * 10.0);
  return scale * (raw * 0.1 - test.q1) * (test.gainWord == 0 ? 1.0 : test.gainWord * 0.001);
}

TEST(RealisticInflation, CurvesRiseDeclineAndBurstAtDifferentRows) {
  for (char kind : {'1', '2', '3', '6'}) {
    for (std::uint32_t seed = 1; seed <= 25; ++seed) {
      SCOPED_TRACE(std::string("kind ") + kind + " seed " + std::to_string(seed));
      const InflationTestSpec test = RealisticInflationTest(seed, kind);
      ASSERT_EQ(test.curves.size(), test.curveCount);
      std::set<std::size_t> ends;
      bool lowByteFF = false;
      for (const auto& curve : test.curves) {
        ASSERT_LE(curve.size(), 501u);
        ASSERT_GT(curve.size(), 20u);
        const std::size_t top =
            static_cast<std::size_t>(std::max_element(curve.begin(), curve.end()) - curve.begin());
        const double peak = PressureOf(test, curve[top]);
        EXPECT_GE(peak, 30.0);
        EXPECT_LE(peak, 150.0);
        EXPECT_LT(top, curve.size() * 45 / 100) << "the maximum comes early";
        // The burst: five falls in a row far steeper than the decline before them.
        std::size_t burst = 0;
        for (std::size_t i = top + 8; i + 5 < curve.size() && burst == 0; ++i) {
          const double before = (double(curve[i - 4]) - curve[i]) / 4;
          bool steep = true;
          for (std::size_t k = i; k < i + 5; ++k) {
            steep = steep && double(curve[k]) - curve[k + 1] > std::max(before, 0.0) + 8;
          }
          if (steep) burst = i;
        }
        ASSERT_NE(burst, 0u) << "no burst";
        EXPECT_GE(burst + 16, curve.size()) << "the burst ends the curve";
        EXPECT_LT(PressureOf(test, curve.back()), 0.3 * peak);
        const double l = double(burst + 1) * 0.005506 * test.sampleIntervalMs;
        EXPECT_GE(l, 35.0);
        EXPECT_LE(l, 170.0);
        ends.insert(curve.size());
        for (std::uint16_t v : curve) lowByteFF = lowByteFF || (v & 0xFF) == 0xFF;
        for (std::uint16_t v : curve) ASSERT_LT(v, kCurveEnd);
      }
      EXPECT_GT(ends.size(), 1u);
      EXPECT_TRUE(lowByteFF);
      ASSERT_FALSE(test.meanCurve.empty());
      const double meanPeak =
          PressureOf(test, *std::max_element(test.meanCurve.begin(), test.meanCurve.end()));
      EXPECT_NEAR(test.results.p, meanPeak * 1.1, 1.0);
      EXPECT_GE(test.results.l, 40.0f);
      EXPECT_LE(test.results.l, 150.0f);
      EXPECT_GT(test.results.w, 0.0f);
    }
  }
}

double ScaleFactor(const ConsistencyTestSpec& t) {
  const double k4 = t.version == 5 ? t.k4 * 10.0 : t.k4;
  const double k5 = t.k5 == 0 ? 60.0 : t.k5;
  const double k6 = t.version <= 6 || t.k6 < 100 || t.k6 > 3000 ? 1000.0 : t.k6;
  return t.k1 * k5 * 1e8 / (k4 * t.k2 * t.k3 * 1023) * 1.2116 * 10 * k6 * 0.001;
}

TEST(RealisticConsistency, RisesToPrMaxWithinMinutesThenFallsSlowly) {
  for (char kind : {'4', '5'}) {
    for (bool half : {false, true}) {
      for (std::uint16_t version : {5, 10}) {
        for (std::uint32_t seed = 1; seed <= 12; ++seed) {
          SCOPED_TRACE(std::string("kind ") + kind + " seed " + std::to_string(seed) +
                       (half ? " half" : "") + " version " + std::to_string(version));
          ConsistencyOptions options;
          options.kindDigit = kind;
          options.halfSecondSteps = half;
          options.version = version;
          options.sampleCount = seed % 4 == 0 ? 1100 : 0;
          const ConsistencyTestSpec test = RealisticConsistencyTest(seed, options);
          EXPECT_EQ(test.testType, kind == '4' ? 2 : 1);
          EXPECT_EQ(test.timeStepWord & 0xFF, half ? 1 : 0);
          const std::size_t n = test.samples.size();
          EXPECT_GE(n, half ? 900u : 600u);
          EXPECT_LE(n, 1100u);
          if (options.sampleCount > 0) {
            EXPECT_EQ(n, 1100u);
          }
          const double step = half ? 0.5 : 1.0;
          const double scale = ScaleFactor(test);
          double best = 0, bestTime = 0, sum = 0, last = 0;
          std::vector<double> smoothed;
          for (std::size_t k = 0; k < n; ++k) {
            ASSERT_NE(test.samples[k], kSamplesEnd);
            sum += test.samples[k];
            if (k >= 20) sum -= test.samples[k - 20];
            last = sum / double(std::min<std::size_t>(k + 1, 20)) * scale;
            smoothed.push_back(last);
            if (last > best) best = last, bestTime = 1 + double(k) * step;
          }
          EXPECT_GE(best, 380.0);
          EXPECT_LE(best, 620.0);
          EXPECT_LE(bestTime, 300.0);
          EXPECT_LT(last, 0.95 * best) << "falls after its maximum";
          EXPECT_GT(last, 0.3 * best) << "falls slowly";
          EXPECT_NEAR(test.prMax, best, 0.06 * best);
          // The fitted polynomial follows the curve: small deviation over the whole test.
          double squares = 0;
          for (std::size_t k = 20; k < n; ++k) {
            const double t = 1 + double(k) * step;
            double fit = 0;
            for (std::size_t p = 7; p-- > 0;) fit = fit * t + test.fit[p];
            squares += (fit - smoothed[k]) * (fit - smoothed[k]);
          }
          EXPECT_LT(std::sqrt(squares / double(n - 20)), 0.06 * best) << "fitted polynomial";
          EXPECT_TRUE(std::count(test.samples.begin(), test.samples.end(), 255) +
                          std::count(test.samples.begin(), test.samples.end(), 511) >
                      0);
        }
      }
    }
  }
}

TEST(MakeFixturesTool, WritesTheStandardSetAndBothListsWithOneLinePerFile) {
  testing::TempDir dir;
  const std::string out = dir.File("set"), log = dir.File("log.txt");
  const std::string command =
      std::string(MAKE_FIXTURES) + " --out '" + out + "' --seed 3 > '" + log + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);

  std::vector<NamedFile> expected = StandardSet(3);
  expected.push_back({"cliente.txt", BuildCustomerFile(StandardCustomers()), ""});
  expected.push_back({"protocol.txt", BuildProtocolFile(StandardProtocols()), ""});
  EXPECT_EQ(testing::EntriesIn(out), static_cast<int>(expected.size()));
  std::istringstream lines(testing::ReadBytes(log));
  for (const NamedFile& file : expected) {
    const std::string bytes = testing::ReadBytes(out + "/" + file.name);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), file.bytes) << file.name;
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line.rfind(file.name + "  ", 0), 0u) << line;
    if (!file.description.empty()) {
      EXPECT_NE(line.find(file.description), std::string::npos);
    }
  }
}

TEST(MakeFixturesTool, WrongUsageExitsWithTwo) {
  for (const char* arguments :
       {"", "--seed 3", "--out", "--out x --seed", "--out x --seed 1z", "--out x --colour"}) {
    const std::string command = std::string(MAKE_FIXTURES) + " " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << arguments;
    EXPECT_EQ(WEXITSTATUS(status), 2) << arguments;
  }
}

}  // namespace
}  // namespace tesmora::fixtures
