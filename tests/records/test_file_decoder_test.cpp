#include "records/test_file_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "fixtures/test_file_writer.h"

namespace tesmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A file head: the exempt zone and at least the version word, which the
// family keeps at offset 6 or 12 (the zone ends inside it before versions
// 7 and 11).
Bytes Head(TestFamily family, int version, std::size_t zone) {
  const std::size_t offset = family == TestFamily::Inflation ? 6 : 12;
  Bytes bytes(std::max(zone, offset + 2), 0x11);
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

// Decodes a file as the exporter does: un-stuffed copy first.
DecodedTest Decode(const Bytes& file, TestFamily family, DecodedTest test = {}) {
  const PreparedCopy copy = PrepareTestCopy(file, family, "test", 1);
  EXPECT_NE(copy.version, 0);
  if (family == TestFamily::Inflation) {
    DecodeInflationTest(copy.bytes, test);
  } else {
    DecodeConsistencyTest(copy.bytes, test);
  }
  return test;
}

template <std::size_t N>
std::vector<int> Values(const std::array<int, N>& curve) {
  return {curve.begin(), curve.begin() + CurveLength(curve)};
}

std::vector<int> Values(const std::vector<std::uint16_t>& curve) {
  return {curve.begin(), curve.end()};
}

TEST(InflationDecoding, ReadsEveryFieldOfEachVersionAsStored) {
  for (const std::uint16_t version : {4, 5, 6, 7}) {
    fixtures::InflationOptions options;
    options.version = version;
    options.curveFlags = 0x1B;
    fixtures::InflationTestSpec spec = fixtures::RealisticInflationTest(11, options);
    spec.protocolNumber = 7;
    spec.gainWord = 1050;
    spec.testTime = "23:59";
    const DecodedTest test = Decode(fixtures::BuildInflationFile(spec), TestFamily::Inflation);
    EXPECT_EQ(test.SampleIntervalMs, spec.sampleIntervalMs) << version;
    EXPECT_EQ(test.CurveCount, 5);
    EXPECT_EQ(test.CurveEnabled, (std::array<bool, 5>{true, true, false, true, true}));
    EXPECT_EQ(test.LastEnabledCurve, 4);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(Values(test.Curves[k]), Values(spec.curves[k]));
    EXPECT_EQ(Values(test.MeanCurves[0]), Values(spec.meanCurve));
    EXPECT_FLOAT_EQ(test.SeriesResults[0].P, spec.results.p);
    EXPECT_FLOAT_EQ(test.SeriesResults[0].HydHa, spec.results.hydHa);
    EXPECT_EQ(test.ProtocolNumber, 7);
    EXPECT_FLOAT_EQ(test.PressureGain, 1.05f);
    EXPECT_STREQ(test.TestTime.data(), "23:59");
    // Q3 / ((Q2 - Q1) x 10), the offset taken before the factor 0.1.
    const float scale = static_cast<float>(spec.q3) / ((spec.q2 - spec.q1) * 10.0f);
    EXPECT_FLOAT_EQ(test.PressureOffset, -scale * spec.q1);
    EXPECT_FLOAT_EQ(test.PressureScale, scale * 0.1f);
    const Bytes text = fixtures::EncodeTextBlock(spec.text);
    EXPECT_TRUE(std::equal(text.begin(), text.begin() + 190, test.TextBlock.begin()));
  }
}

TEST(InflationDecoding, ACurveWithoutClosingValueKeeps501ValuesAndSkipsTheNextWord) {
  fixtures::InflationTestSpec spec = fixtures::RealisticInflationTest(2, '1');
  spec.version = 4;
  spec.curves[0].assign(501, 700);
  Bytes file = fixtures::BuildUnstuffedInflationFile(spec);
  // The closing 32000 of the first curve becomes a 502nd value.
  const std::size_t closing = 24 + 501 * 2;
  ASSERT_EQ(file[closing] | (file[closing + 1] << 8), 32000);
  file[closing] = 0x34;
  file[closing + 1] = 0x12;
  const DecodedTest test = Decode(file, TestFamily::Inflation);
  EXPECT_EQ(CurveLength(test.Curves[0]), 501);
  EXPECT_EQ(test.Curves[0][500], 700);
  EXPECT_EQ(Values(test.Curves[1]), Values(spec.curves[1]));
}

TEST(InflationDecoding, CurvesDeclaredBeyondFiveAreReadPastWithoutBeingStored) {
  fixtures::InflationTestSpec spec = fixtures::RealisticInflationTest(4, '1');
  spec.curveCount = 7;
  spec.curves.push_back(spec.curves[0]);
  spec.curves.push_back(spec.curves[1]);
  spec.protocolNumber = 3;
  const DecodedTest test = Decode(fixtures::BuildInflationFile(spec), TestFamily::Inflation);
  EXPECT_EQ(test.CurveCount, 5);
  EXPECT_FLOAT_EQ(test.SeriesResults[0].W, spec.results.w);
  EXPECT_EQ(test.ProtocolNumber, 3);
}

TEST(InflationDecoding, OnlyADegradationByteOfOneMakesADegradationTest) {
  for (const std::uint8_t flag : {0, 1, 2, 0x80}) {
    fixtures::InflationTestSpec spec = fixtures::RealisticInflationTest(4, '2');
    spec.degradation = flag;
    spec.firstSeriesCount = 3;
    const DecodedTest test = Decode(fixtures::BuildInflationFile(spec), TestFamily::Inflation);
    EXPECT_EQ(test.DegradationTest, flag == 1) << int{flag};
    EXPECT_EQ(test.FirstSeriesCurveCount, 3);
  }
}

TEST(InflationDecoding, WithoutCalibrationThePressureScaleIsZeroNotThePreviousTests) {
  const fixtures::InflationTestSpec calibrated = fixtures::RealisticInflationTest(4, '1');
  DecodedTest test = Decode(fixtures::BuildInflationFile(calibrated), TestFamily::Inflation);
  ASSERT_NE(test.PressureScale, 0);
  fixtures::InflationTestSpec flat = calibrated;
  flat.q2 = flat.q1;
  test = Decode(fixtures::BuildInflationFile(flat), TestFamily::Inflation, test);
  EXPECT_EQ(test.PressureScale, 0);
  EXPECT_EQ(test.PressureOffset, 0);
}

TEST(Decoding, TheReservedTextBytesReadAsZeroBeforeTheVersionsThatUseThem) {
  Bytes raw(236);
  for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<std::uint8_t>('A' + i % 26);
  for (const std::uint16_t version : {5, 6}) {
    fixtures::InflationTestSpec spec = fixtures::RealisticInflationTest(1, '1');
    spec.version = version;
    spec.rawTextBlock = raw;
    const DecodedTest test = Decode(fixtures::BuildInflationFile(spec), TestFamily::Inflation);
    EXPECT_EQ(test.TextBlock[189], raw[189]);
    EXPECT_EQ(test.TextBlock[190], version < 6 ? 0 : raw[190]) << version;
    EXPECT_EQ(test.TextBlock[235], version < 6 ? 0 : raw[235]) << version;
  }
  for (const std::uint16_t version : {9, 10}) {
    fixtures::ConsistencyOptions options;
    options.version = version;
    fixtures::ConsistencyTestSpec spec = fixtures::RealisticConsistencyTest(1, options);
    spec.rawTextBlock = raw;
    const DecodedTest test = Decode(fixtures::BuildConsistencyFile(spec), TestFamily::Consistency);
    EXPECT_EQ(test.TextBlock[0], raw[0]);
    EXPECT_EQ(test.TextBlock[200], version < 10 ? 0 : raw[200]) << version;
  }
}

TEST(ConsistencyDecoding, ReadsEveryFieldOfEachVersionAsStored) {
  for (const std::uint16_t version : {5, 6, 8, 9, 10, 11}) {
    fixtures::ConsistencyOptions options;
    options.version = version;
    options.kindDigit = '4';
    options.halfSecondSteps = true;
    options.recalculation = true;
    fixtures::ConsistencyTestSpec spec = fixtures::RealisticConsistencyTest(8, options);
    spec.protocolNumber = 5;
    spec.testTime = "1a:30";
    DecodedTest stale;
    stale.CurveEnabled = {true, true, true, true, true};
    const DecodedTest test =
        Decode(fixtures::BuildConsistencyFile(spec), TestFamily::Consistency, stale);
    EXPECT_EQ(test.TestType, 2) << version;
    EXPECT_TRUE(test.HalfSecondSteps);
    EXPECT_EQ(test.CurveCount, 3);
    EXPECT_EQ(test.CurveEnabled, (std::array<bool, 5>{true, true, false, false, false}));
    ASSERT_EQ(test.SampleCount, static_cast<int>(spec.samples.size()));
    EXPECT_TRUE(std::equal(spec.samples.begin(), spec.samples.end(), test.Samples.begin()));
    EXPECT_FLOAT_EQ(test.PrMax, spec.prMax);
    EXPECT_FLOAT_EQ(test.H2O, spec.h2o);
    for (int i = 0; i < kConsistencyResultCount; ++i) {
      EXPECT_DOUBLE_EQ(test.ConsistencyResults[i], spec.results[i]);
    }
    for (int i = 0; i < 7; ++i) EXPECT_DOUBLE_EQ(test.FitCoefficients[i], spec.fit[i]);
    EXPECT_EQ(test.ProtocolNumber, 5);
    EXPECT_STREQ(test.TestTime.data(), "00:00");
    // The recalculation word exists from version 9 on.
    EXPECT_EQ(test.RecalculationFlag, version >= 9) << version;
  }
}

TEST(ConsistencyDecoding, CorrectsTheConversionWordsLikeTheRecorder) {
  const auto expected = [](double k1, double k2, double k3, double k4, double k5, double k6) {
    return k6 * 0.001 * (k1 * k5 * 1e8 / (k4 * k2 * k3 * 1023) * 1.2116 * 10);
  };
  const struct {
    std::uint16_t version, k4, k5, k6;
    double k4Used, k5Used, k6Used;
  } cases[] = {
      {6, 2500, 60, 2000, 2500, 60, 1000}, {7, 2500, 60, 2000, 2500, 60, 2000},
      {7, 2500, 60, 50, 2500, 60, 1000},   {7, 2500, 60, 3500, 2500, 60, 1000},
      {8, 2500, 0, 1500, 2500, 60, 1500},  {5, 250, 60, 1000, 2500, 60, 1000},
  };
  for (const auto& c : cases) {
    fixtures::ConsistencyOptions options;
    options.version = c.version;
    fixtures::ConsistencyTestSpec spec = fixtures::RealisticConsistencyTest(3, options);
    spec.k4 = c.k4;
    spec.k5 = c.k5;
    spec.k6 = c.k6;
    const DecodedTest test = Decode(fixtures::BuildConsistencyFile(spec), TestFamily::Consistency);
    EXPECT_DOUBLE_EQ(test.ScaleFactor,
                     expected(spec.k1, spec.k2, spec.k3, c.k4Used, c.k5Used, c.k6Used))
        << "version " << c.version << " K4 " << c.k4 << " K5 " << c.k5 << " K6 " << c.k6;
  }
}

TEST(ConsistencyDecoding, SamplesBeyondTheCapacityAreSkippedUpToTheClosingWord) {
  fixtures::ConsistencyTestSpec spec = fixtures::RealisticConsistencyTest(3, '5');
  spec.samples.resize(1300, 500);
  const DecodedTest test = Decode(fixtures::BuildConsistencyFile(spec), TestFamily::Consistency);
  EXPECT_EQ(test.SampleCount, kMaxConsistencySamples);
  EXPECT_FLOAT_EQ(test.PrMax, spec.prMax);
  EXPECT_DOUBLE_EQ(test.FitCoefficients[6], spec.fit[6]);
}

}  // namespace
}  // namespace tesmora
