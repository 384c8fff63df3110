#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tesmora {

// Fixed capacities of a decoded test. Files that declare more are read
// without ever storing past these.
inline constexpr int kMaxCurves = 5;
inline constexpr int kMaxCurvePoints = 501;
inline constexpr int kMaxMeanCurvePoints = 503;
inline constexpr int kMaxConsistencySamples = 1100;
inline constexpr std::size_t kTextBlockSize = 236;
inline constexpr int kEndMark = -1;

// The recorder's results of one inflation series, in the order the file
// stores them.
struct InflationResults {
  float IeReferencePressure = 0;
  float P = 0;
  float L = 0;
  float G = 0;
  float W = 0;
  float PL = 0;
  float Ie = 0;
  std::array<char, 4> WxLabel{};
  float Wx = 0;
  std::uint16_t unused = 0;
  float HydHa = 0;
};

// Indices into ConsistencyResults, in the order of the file's results block.
enum ConsistencyResult : int {
  kWaMs = 0,     // WA on the "% MS" basis
  kWa = 1,       // WA on the "% b" basis
  kHydHaMs = 2,  // HYDHA on the "% MS" basis
  kHydHa = 3,    // HYDHA on the "% b" basis
  kHydHaC = 7,   // HYDHAC
  kWaC = 8,      // WAC
  kTPrMax = 9,   // s
  kStab = 10,    // s
  kD250 = 11,    // mb
  kD450 = 12,    // mb
  kConsistencyResultCount = 13,
};

// The sample information typed on the recorder, as the export reads it from
// the text block: bytes of code page 850, empty past the end of the fields.
// The result sheet prints them.
struct SampleTexts {
  std::string Sample, Flour, Mill;
  std::string Temperature, Hygrometry, Moisture, FallingNumber, Protein, StarchDamage, Zeleny, Ash,
      Gluten, WaterAbsorption, Extraction;
  std::string WxText;              // x of W(x), inflation tests
  std::string Comment1, Comment2;  // kinds that carry no protocol
};

// A curve as the table stores it: values, then kEndMark.
template <int Capacity>
using CurveBuffer = std::array<int, Capacity + 1>;

// The last decoded test. Curves are kept raw, with the end mark after the
// last value, because the export table and the sheet walk them that way.
struct DecodedTest {
  // Inflation
  int SampleIntervalMs = 0;
  int CurveCount = 0;
  std::array<bool, kMaxCurves> CurveEnabled{};
  int LastEnabledCurve = -1;  // -1: no curve validated
  bool DegradationTest = false;
  int FirstSeriesCurveCount = 0;
  float PressureScale = 0;
  float PressureOffset = 0;
  float PressureGain = 1;
  std::array<CurveBuffer<kMaxCurvePoints>, kMaxCurves> Curves{};
  std::array<CurveBuffer<kMaxMeanCurvePoints>, 2> MeanCurves{};
  std::array<InflationResults, 2> SeriesResults{};
  std::int8_t WxLength = 0;
  float Idp = 0;  // degradation tests: loss of W from series 1 to series 2, %

  // Consistency
  int TestType = 1;
  bool HalfSecondSteps = false;
  std::array<int, kMaxConsistencySamples> Samples{};
  int SampleCount = 0;
  double ScaleFactor = 0;
  float PrMax = 0;
  float H2O = 0;
  std::array<double, kConsistencyResultCount> ConsistencyResults{};
  std::array<double, 7> FitCoefficients{};
  bool RecalculationFlag = false;
  // Computed: the smoothed curve in millibars, and with a recalculation the
  // curve of "ble_soft.tmp" (SampleCount values) that the results read.
  std::array<float, kMaxConsistencySamples> SmoothedCurve{};
  std::array<float, kMaxConsistencySamples> SoftenedCurve{};

  // Both families
  std::array<char, 6> TestTime{};  // HH:MM and a zero byte
  int ProtocolNumber = 0;
  std::array<std::uint8_t, kTextBlockSize> TextBlock{};
  SampleTexts Texts;
};

// Number of values of a stored curve (the index of its end mark).
template <std::size_t N>
int CurveLength(const std::array<int, N>& curve) {
  for (std::size_t i = 0; i < N; ++i) {
    if (curve[i] == kEndMark) return static_cast<int>(i);
  }
  return static_cast<int>(N);
}

}  // namespace tesmora
