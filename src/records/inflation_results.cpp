#include "records/inflation_results.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "records/test_names.h"

namespace tesmora {

namespace {

constexpr int kMaxFalls = 5;
// mm per sample and per millisecond of the sampling interval.
constexpr float kLengthPerSampleMs = 0.005506f;

struct Series {
  int first = 0;   // first curve of the series
  int last = -1;   // last curve of the series
  int target = 0;  // 0: series 1, 1: series 2
};

// Which curves are computed, and into which series.
Series ChooseSeries(const DecodedTest& test) {
  const int n = test.CurveCount;
  if (!test.DegradationTest) return {0, n - 1, 0};
  const int firstSeries = std::clamp(test.FirstSeriesCurveCount, 0, n);
  if (test.LastEnabledCurve + 1 > test.FirstSeriesCurveCount) {
    return {firstSeries, n - 1, 1};
  }
  // No validated curve in the second series: the first series alone is the test.
  return {0, firstSeries - 1, 0};
}

int MeanCurveMaximum(const int* mean) {
  int maximum = 0;
  for (int i = 0; mean[i] != kEndMark; ++i) maximum = std::max(maximum, mean[i]);
  return maximum;
}

// W is limited to what the export's four digits can hold.
float LimitEnergy(float w) { return std::clamp(w, 0.0f, 9999.0f); }

void ComputeSeriesResults(DecodedTest& test, const Series& series) {
  const int interval = test.SampleIntervalMs;
  std::array<CurveEnd, kMaxCurves> ends{};
  float carriedSlope = 1.0f;
  int validated = 0;
  int endSum = 0;
  for (int j = series.first; j <= series.last; ++j) {
    const int* curve = test.Curves[j].data();
    ends[j] = FindCurveEnd(test, curve, CurveLength(test.Curves[j]), carriedSlope);
    if (test.CurveEnabled[j]) {
      ++validated;
      endSum += ends[j].endIndex;
    }
  }

  float average = 0;
  int meanPointCount = 0;
  float length = 0;
  if (validated > 0) {
    average = static_cast<float>(endSum) / static_cast<float>(validated);
    meanPointCount = static_cast<int>(average);
    length = average * kLengthPerSampleMs * static_cast<float>(interval);
  }

  // The mean of the validated curves, each extended past its end by its slope.
  auto& mean = test.MeanCurves[series.target];
  const int lastPoint = std::clamp(meanPointCount, -1, kMaxCurvePoints);
  for (int i = 0; i <= lastPoint; ++i) {
    int sum = 0;
    int count = 0;
    for (int j = series.first; j <= series.last; ++j) {
      if (!test.CurveEnabled[j]) continue;
      const int end = ends[j].endIndex;
      const auto& curve = test.Curves[j];
      const int endValue = end >= 0 ? curve[end] : 0;
      sum += i <= end ? curve[i] : endValue - (i - end) * ends[j].slope;
      ++count;
    }
    mean[i] = count > 0 ? sum / count : 0;
  }
  mean[lastPoint + 1] = 0;
  mean[lastPoint + 2] = kEndMark;

  InflationResults& r = test.SeriesResults[series.target];
  float p = InflationPressure(test, static_cast<float>(MeanCurveMaximum(mean.data()))) * 1.1f;
  p = RoundHalfUp(p);
  if (p > 400) p = 0;
  length = RoundHalfUp(length);

  if (length < 40) {
    r.IeReferencePressure = 0;
  } else if (interval != 0) {
    const int point = 7200 / interval;
    // A mean curve too short to reach the reference point has no pressure there.
    float reference = 0;
    if (point < CurveLength(mean))
      reference = InflationPressure(test, static_cast<float>(mean[point]));
    r.IeReferencePressure = reference > 400 || reference < 1 ? 0 : reference;
  }

  r.P = p;
  r.L = length;
  if (p > 1) {
    r.Ie = r.IeReferencePressure * 1.1f / p;
    if (r.Ie < 0.01f) r.Ie = 0;
    if (length > 1) {
      r.G = 2.226f * std::sqrt(length);
      r.PL = p / length;
    } else {
      r.G = 0;
      r.L = 0;
      r.PL = 0;
    }
  } else {
    r.Ie = 0;
    r.IeReferencePressure = 0;
    r.P = 0;
    r.PL = 0;
    r.G = 0;
  }

  // W is the area under the mean curve; W(x) the part of it up to x mm.
  int wxPoint = -1;
  if (test.WxLength > 0 && interval != 0) {
    wxPoint = static_cast<int>(static_cast<float>(test.WxLength) * 1000.0f /
                               (static_cast<float>(interval) * 5.506f));
  }
  float sum = 0;
  float sumToWx = 0;
  for (int i = 1; i <= lastPoint; ++i) {
    sum += InflationPressure(test, static_cast<float>(mean[i - 1] + mean[i]) / 2.0f);
    if (i == wxPoint) sumToWx = sum;
  }
  const float perArea = 0.00005506f;
  r.W = LimitEnergy(sum * perArea * static_cast<float>(interval) * 6.54f);
  r.Wx = LimitEnergy(sumToWx * perArea * static_cast<float>(interval) * 6.54f);
}

// W as the export prints it with "%4.0f".
float PrintedEnergy(float w) {
  char text[64];
  std::snprintf(text, sizeof text, "%4.0f", static_cast<double>(w));
  return std::strtof(text, nullptr);
}

}  // namespace

float InflationPressure(const DecodedTest& test, float raw) {
  return ((raw * test.PressureScale) + test.PressureOffset) * test.PressureGain;
}

float RoundHalfUp(float x) {
  const float below = std::floor(x);
  return x - below >= 0.5f ? std::ceil(x) : below;
}

CurveEnd FindCurveEnd(const DecodedTest& test, const int* curve, int length, float& carriedSlope) {
  const int n = length;
  int maximum = 0;
  int maxIndex = 0;
  for (int i = 0; i < n; ++i) {
    if (i == 0 || curve[i] > maximum) {
      maximum = curve[i];
      maxIndex = i;
    }
  }
  if (n <= maxIndex + 7) return {n - 1, 1};

  float step = InflationPressure(test, static_cast<float>(maximum)) > 80.0f ? 4.0f : 3.0f;
  const auto fall = [curve](int i) { return curve[i] - curve[i + 1]; };
  int p = 0;
  for (int pass = 0; pass < 3; ++pass) {
    std::array<int, 4> window{fall(maxIndex + 3), fall(maxIndex + 4), fall(maxIndex + 5),
                              fall(maxIndex + 6)};
    const auto windowMean = [&window] {
      return static_cast<float>(window[0] + window[1] + window[2] + window[3]) * 0.25f;
    };
    float lowest = windowMean();
    float previous = lowest;
    p = maxIndex + 7;
    int falls = 0;
    while (falls < kMaxFalls && p + 1 < n) {
      window = {window[1], window[2], window[3], fall(p)};
      const float average = windowMean();
      if (average < lowest) lowest = average;
      ++p;
      if (lowest + step > static_cast<float>(fall(p - 1))) {
        falls = 0;
      } else {
        ++falls;
        if (falls == 1) carriedSlope = previous;
      }
      previous = average;
    }
    if (falls >= 1) p -= falls - 1;
    if (falls >= 2) break;
    step = pass == 0 ? 2.0f : 1.75f;
  }
  return {p, static_cast<int>(carriedSlope)};
}

void ComputeInflationResults(DecodedTest& test, char kindDigit) {
  const Series series = ChooseSeries(test);
  ComputeSeriesResults(test, series);
  test.Idp = 0;
  if (!test.DegradationTest) return;

  // Without a validated curve in the second series there is nothing to
  // compare series 1 with: Idp stays 0 rather than claiming a total loss.
  if (series.target != 1) return;
  const InflationResults& first = test.SeriesResults[0];
  InflationResults& second = test.SeriesResults[1];
  second.WxLabel = first.WxLabel;
  if (const TestKind* kind = FindTestKind(kindDigit); kind && kind->inflationHydration) {
    second.HydHa = first.HydHa;
  }
  test.Idp = DegradationIndex(first.W, second.W);
}

float DegradationIndex(float w1, float w2) {
  if (!(w1 > 0.1f)) return 0;
  const float printed1 = PrintedEnergy(w1);
  // W1 between 0.1 and 0.5 prints as 0: no loss can be stated against it.
  if (printed1 == 0) return 0;
  return (printed1 - PrintedEnergy(w2)) * 100.0f / printed1;
}

}  // namespace tesmora
