#include "records/test_file_decoder.h"

#include <algorithm>
#include <array>

#include "records/byte_reader.h"
#include "records/failure_text.h"

namespace tesmora {

namespace {

// Inflation curves are closed by this raw value; consistency samples by 3232h.
constexpr std::uint16_t kCurveClosing = 32000;
constexpr std::uint16_t kSamplesClosing = 0x3232;
// At most this many words are read for one curve, its closing word included.
constexpr int kCurveWords = kMaxCurvePoints + 1;

constexpr std::array<std::uint8_t, 4> kMarker{0xFF, 0x7F, 0xFF, 0x7F};

// Versions from which the recorder stuffs data bytes FF.
constexpr int kFirstStuffedInflationVersion = 5;
constexpr int kFirstStuffedConsistencyVersion = 8;

// Reads one curve into `curve` (nullptr: read and drop it), then the word
// that follows every curve.
template <std::size_t N>
void ReadCurve(ByteReader& reader, std::array<int, N>* curve) {
  int stored = 0;
  for (int i = 0; i < kCurveWords; ++i) {
    // A curve that runs off the end of the file ends there.
    if (reader.AtEnd()) break;
    const std::uint16_t word = reader.U16();
    if (word == kCurveClosing) break;
    // The 502nd word, when it is not the closing value, is dropped.
    if (i < kMaxCurvePoints && curve != nullptr) (*curve)[stored++] = word;
  }
  if (curve != nullptr) (*curve)[stored] = kEndMark;
  reader.Skip(2);
}

void ClearTextTail(DecodedTest& test) {
  std::fill(test.TextBlock.begin() + 190, test.TextBlock.end(), std::uint8_t{0});
}

}  // namespace

TestFamily DecodingFamily(char kindDigit) {
  return IsConsistencyKind(kindDigit) ? TestFamily::Consistency : TestFamily::Inflation;
}

int TestFileVersion(ByteSpan file, TestFamily family) {
  const std::size_t offset = family == TestFamily::Inflation ? 6 : 12;
  if (file.size() < offset + 2) return 0;
  return file[offset] | (file[offset + 1] << 8);
}

std::size_t StuffingExemptZone(TestFamily family, int version) {
  if (family == TestFamily::Inflation) return version >= 7 ? 8 : 7;
  return version >= 11 ? 14 : 13;
}

std::vector<std::uint8_t> UnstuffTestFile(ByteSpan file, TestFamily family, int version) {
  const bool stuffed = family == TestFamily::Inflation ? version >= kFirstStuffedInflationVersion
                                                       : version >= kFirstStuffedConsistencyVersion;
  if (!stuffed) return {file.begin(), file.end()};
  const std::size_t exempt = StuffingExemptZone(family, version);
  std::vector<std::uint8_t> copy;
  copy.reserve(file.size());
  bool dropNext = false;
  for (std::size_t i = 0; i < file.size(); ++i) {
    const std::uint8_t b = file[i];
    if (dropNext) {
      dropNext = false;
    } else {
      copy.push_back(b);
    }
    // A dropped byte FF makes the next byte an extra byte as well, exactly as
    // the recorder's own reader does.
    if (i >= exempt && b == 0xFF) dropNext = true;
  }
  return copy;
}

PreparedCopy PrepareTestCopy(ByteSpan file, TestFamily family, std::string_view testFileName,
                             int languageIndex) {
  PreparedCopy prepared;
  const int version = TestFileVersion(file, family);
  const int minimum =
      family == TestFamily::Inflation ? kMinInflationVersion : kMinConsistencyVersion;
  if (version < minimum) {
    prepared.failure = FailureText(std::string(testFileName) + ". ",
                                   {msg::kWrongVersion, msg::kImpossibleExport}, languageIndex);
    return prepared;
  }
  prepared.version = version;
  prepared.bytes = UnstuffTestFile(file, family, version);
  return prepared;
}

std::optional<std::size_t> FindTextBlock(ByteSpan copy) {
  const auto found = std::search(copy.begin(), copy.end(), kMarker.begin(), kMarker.end());
  if (found == copy.end()) return std::nullopt;
  return static_cast<std::size_t>(found - copy.begin()) + kMarker.size();
}

std::array<char, 6> CheckedTestTime(ByteSpan sixBytes) {
  std::array<char, 6> time{};
  for (std::size_t i = 0; i < 5 && i < sixBytes.size(); ++i) {
    time[i] = static_cast<char>(sixBytes[i]);
  }
  const auto within = [](char c, char low, char high) { return c >= low && c <= high; };
  const bool plausible = within(time[0], '0', '2') && within(time[1], '0', '9') && time[2] == ':' &&
                         within(time[3], '0', '5') && within(time[4], '0', '9');
  if (!plausible) return {'0', '0', ':', '0', '0', '\0'};
  time[5] = '\0';
  return time;
}

void DecodeInflationTest(ByteSpan copy, DecodedTest& test) {
  ByteReader reader(copy);
  test.SampleIntervalMs = reader.U16() & 0x7FFF;

  const std::uint16_t flags = reader.U16();
  test.CurveEnabled = {};
  // With no validated curve there is no highest one; the computations then
  // treat the test as having none, rather than borrowing the previous test's.
  test.LastEnabledCurve = -1;
  for (int k = 0; k < kMaxCurves; ++k) {
    if (flags & (1u << k)) {
      test.CurveEnabled[k] = true;
      test.LastEnabledCurve = k;
    }
  }

  const int declaredCurves = static_cast<std::int8_t>(reader.U16() & 0xFF);
  test.CurveCount = std::clamp(declaredCurves, 0, kMaxCurves);

  const int version = reader.U16();
  if (version >= 7) reader.Skip(2);

  const std::uint16_t q1 = reader.U16();
  const std::uint16_t q2 = reader.U16();
  const std::uint16_t q3 = reader.U16();
  const int span = (static_cast<int>(q2) - static_cast<int>(q1)) * 10;
  if (span != 0) {
    float scale = static_cast<float>(q3) / static_cast<float>(span);
    test.PressureOffset = -scale * static_cast<float>(q1);
    test.PressureScale = scale * 0.1f;
  } else {
    // Without calibration there is no pressure; keeping the previous test's
    // scale would print another test's figures.
    test.PressureScale = 0;
    test.PressureOffset = 0;
  }

  std::uint8_t time[6];
  reader.Read(time, sizeof time);
  test.TestTime = CheckedTestTime(time);

  test.DegradationTest = reader.U8() == 1;
  test.FirstSeriesCurveCount = static_cast<std::int8_t>(reader.U8());
  reader.Skip(2);  // HHMM

  // Curves declared beyond the capacity are read past, so that what follows
  // them is still found where the file has it.
  for (int k = 0; k < std::max(declaredCurves, 0); ++k) {
    ReadCurve(reader, k < kMaxCurves ? &test.Curves[k] : nullptr);
  }
  for (int k = test.CurveCount; k < kMaxCurves; ++k) test.Curves[k][0] = kEndMark;
  ReadCurve(reader, &test.MeanCurves[0]);

  InflationResults& results = test.SeriesResults[0];
  results.IeReferencePressure = reader.F32();
  results.P = reader.F32();
  results.L = reader.F32();
  results.G = reader.F32();
  results.W = reader.F32();
  results.PL = reader.F32();
  results.Ie = reader.F32();
  reader.Read(results.WxLabel.data(), results.WxLabel.size());
  results.Wx = reader.F32();
  results.unused = reader.U16();
  results.HydHa = reader.F32();
  // Series 2 is computed afresh or not at all; it never carries an earlier
  // test's figures.
  test.SeriesResults[1] = InflationResults{};
  test.MeanCurves[1][0] = kEndMark;

  reader.Skip(2 * 4);
  reader.Skip(2 * static_cast<std::size_t>(std::max(0, 1 + declaredCurves)));
  reader.Skip(2 * static_cast<std::size_t>(std::max(0, 5 - declaredCurves)));
  reader.Skip(3 * 2 + 2 + 2 * 4);
  test.ProtocolNumber = reader.U16();
  const std::uint16_t gain = reader.U16();
  test.PressureGain = gain == 0 ? 1.0f : static_cast<float>(gain) * 0.001f;

  const std::optional<std::size_t> text = FindTextBlock(copy);
  ByteReader textReader(copy, text.value_or(copy.size()));
  textReader.Read(test.TextBlock.data(), test.TextBlock.size());
  if (version < 6) ClearTextTail(test);
}

void DecodeConsistencyTest(ByteSpan copy, DecodedTest& test) {
  test.CurveCount = 3;
  test.CurveEnabled = {true, true, false, false, false};

  ByteReader reader(copy, 2);
  const std::uint16_t type = reader.U16();
  test.TestType = type == 2 ? 2 : 1;
  reader.Seek(8);
  test.HalfSecondSteps = (reader.U16() & 0xFF) == 1;
  reader.Seek(12);
  const int version = reader.U16() & 0xFF;
  const std::size_t shift = version >= 11 ? 2 : 0;

  reader.Seek(16 + shift);
  const double k1 = reader.U16();
  const double k2 = reader.U16();
  const double k3 = reader.U16();
  double k4 = reader.U16();
  if (version == 5) k4 *= 10;
  double k5 = reader.U16();
  if (k5 == 0) k5 = 60;
  reader.Skip(2);
  reader.Skip(2);  // degree of the polynomial, always 6
  double k6 = reader.U16();
  if (version <= 6 || k6 < 100 || k6 > 3000) k6 = 1000;
  const double divisor = k4 * k2 * k3 * 1023;
  if (divisor != 0) {
    double scale = k1 * k5 * 1e8 / divisor;
    scale = scale * 1.2116 * 10;
    test.ScaleFactor = k6 * 0.001 * scale;
  } else {
    test.ScaleFactor = 0;
  }

  reader.Seek(34 + shift);
  test.SampleCount = 0;
  // Samples beyond the capacity are read past up to the closing word.
  while (!reader.AtEnd()) {
    const std::uint16_t word = reader.U16();
    if (word == kSamplesClosing) break;
    if (test.SampleCount < kMaxConsistencySamples) test.Samples[test.SampleCount++] = word;
  }

  reader.Skip(2 + 4 + 2 * 8);
  test.TestType = reader.U16();
  test.PrMax = reader.F32();
  test.H2O = reader.F32();
  for (double& value : test.ConsistencyResults) value = reader.F64();

  std::uint8_t time[6];
  reader.Read(time, sizeof time);
  test.TestTime = CheckedTestTime(time);
  reader.Skip(2 + 8);
  test.ProtocolNumber = reader.U16();
  for (double& c : test.FitCoefficients) c = reader.F64();
  test.RecalculationFlag = version >= 9 && (reader.U16() & 0xFF) != 0;

  reader.Skip(4);  // the marker
  reader.Read(test.TextBlock.data(), test.TextBlock.size());
  if (version < 10) ClearTextTail(test);
  test.DegradationTest = false;
}

}  // namespace tesmora
