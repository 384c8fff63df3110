#include "records/consistency_results.h"

#include <algorithm>
#include <cmath>

namespace tesmora {

namespace {

constexpr int kSmoothingSpan = 20;
// The softened curve averages 14 samples before and 20 after each point.
constexpr int kSofteningBefore = 14;
constexpr int kSofteningAfter = 20;

double Step(const DecodedTest& test) { return test.HalfSecondSteps ? 0.5 : 1.0; }

// Water absorption on the dry-matter basis for a consistency of `pressure` mb
// reached at the reference consistency `reference`.
double WaterOnDryBasis(double reference, double pressure) {
  return 76.47 - (reference - (0.1781 * pressure + 255.66)) / 34;
}

double ToBasisB(double dryBasis) { return 0.85 * dryBasis - 15; }

void Smooth(DecodedTest& test) {
  const int n = test.SampleCount;
  long long sum = 0;
  for (int i = 0; i < n; ++i) {
    sum += test.Samples[i];
    if (i >= kSmoothingSpan) sum -= test.Samples[i - kSmoothingSpan];
    const int count = std::min(i + 1, kSmoothingSpan);
    const float mean = static_cast<float>(static_cast<double>(sum) / count);
    test.SmoothedCurve[i] = mean > 0 ? static_cast<float>(mean * test.ScaleFactor) : 0.0f;
  }
}

void Soften(DecodedTest& test) {
  const int n = test.SampleCount;
  for (int k = 0; k < n; ++k) {
    if (k + kSofteningAfter > n - 1) {
      test.SoftenedCurve[k] = 0;
      continue;
    }
    double sum = 0;
    const int from = std::max(0, k - kSofteningBefore);
    for (int i = from; i <= k + kSofteningAfter; ++i) sum += test.SmoothedCurve[i];
    test.SoftenedCurve[k] = static_cast<float>(sum / (k + kSofteningAfter - from + 1));
  }
}

// Time from the curve's first rise to `threshold` until it falls back to it.
double Stability(const DecodedTest& test, double threshold) {
  double start = 0;
  bool reached = false;
  for (int k = 0; k < test.SampleCount; ++k) {
    const double v = test.SoftenedCurve[k];
    if (!reached) {
      if (v < threshold) continue;
      reached = true;
      start = SampleTime(test, k);
    }
    if (v <= threshold) return SampleTime(test, k) - start;
  }
  return reached ? 0 - start : 0;
}

// PrMax minus the curve at `seconds`, when the curve lasts that long.
double Drop(const DecodedTest& test, int seconds) {
  const int needed = test.HalfSecondSteps ? 2 * seconds : seconds;
  if (test.SampleCount <= needed) return 0;
  const double drop = test.PrMax - SoftenedCurveValue(test, seconds);
  return drop < 0 || drop > 5000 ? 0 : drop;
}

void Recalculate(DecodedTest& test, const fprotocole& protocol) {
  const int n = test.SampleCount;
  Soften(test);

  float prMax = 0;
  double tPrMax = 0;
  for (int k = 0; k < n; ++k) {
    if (test.SoftenedCurve[k] >= prMax) {
      prMax = test.SoftenedCurve[k];
      tPrMax = SampleTime(test, k);
    }
  }
  test.PrMax = prMax;

  auto& r = test.ConsistencyResults;
  const double target = protocol.targetPrMax;
  if (IsTypeTwo(test)) {
    r[kWaMs] = WaterOnDryBasis(500, test.PrMax);
    r[kWa] = test.PrMax < 10 ? 0 : ToBasisB(r[kWaMs]);
    const double reference = test.ProtocolNumber == 0 ? 600 : target * 0.2 + 160;
    r[kHydHaMs] = WaterOnDryBasis(reference, test.PrMax);
    r[kHydHa] = ToBasisB(r[kHydHaMs]);
    r[kTPrMax] = tPrMax;
    return;
  }

  const double h = (r[kHydHa] + 15) / 0.85;
  r[kHydHaMs] = h;
  if (test.PrMax <= 1) return;
  const double x = target * 1.123 + 190.9 * h - 15135.3;
  // The line through (77.4, X) and (h, PrMax) has no slope when h is 77.4
  // and none to divide by when it is flat: HYDHAC is then 0, never infinite.
  const double run = 77.4 - h;
  const double slope = run != 0 ? (x - test.PrMax) / run : 0;
  const double intercept = x - slope * 77.4;
  r[kHydHaC] = slope != 0 ? ToBasisB((target - intercept) / slope) : 0;
  r[kWaMs] = WaterOnDryBasis(500, x);
  r[kWa] = ToBasisB(r[kWaMs]);
  r[kWaC] = r[kWa] + r[kHydHaC] - r[kHydHa];
  r[kTPrMax] = tPrMax;
  if (n <= 0) return;
  const double stability = Stability(test, 0.8 * test.PrMax);
  r[kStab] = stability < 0 || stability > 1000 ? 0 : stability;
  r[kD250] = Drop(test, 250);
  r[kD450] = Drop(test, 450);
}

}  // namespace

double SampleTime(const DecodedTest& test, int k) { return 1 + k * Step(test); }

float SoftenedCurveValue(const DecodedTest& test, double t) {
  const double position = test.HalfSecondSteps ? (t - 1) * 2 : t - 1;
  if (!(position >= 0) || position >= test.SampleCount) return 0;
  return test.SoftenedCurve[static_cast<int>(position)];
}

double FittedCurveValue(const DecodedTest& test, double t) {
  double value = 0;
  double power = 1;
  for (const double c : test.FitCoefficients) {
    value += c * power;
    power *= t;
  }
  return value;
}

void ComputeConsistencyResults(DecodedTest& test, const fprotocole& protocol) {
  Smooth(test);
  if (test.RecalculationFlag) Recalculate(test, protocol);
}

BasisValues ConvertToBasis(const DecodedTest& test, std::uint8_t basisFlags) {
  BasisValues values;
  const auto& r = test.ConsistencyResults;
  double water = 0;
  double hydration = 0;
  if (IsTypeTwo(test)) {
    water = r[kWaMs];
    hydration = r[kHydHaMs];
  } else {
    water = (r[kWaC] + 15) * 1.1764705882352942;
    hydration = (r[kHydHaC] + 15) * 1.1764705882352942;
  }
  if (basisFlags & 8) {
    values.printed = true;
    values.b14 = true;
    values.water = 0.86 * water - 14;
    values.hydration = 0.86 * hydration - 14;
  } else if (basisFlags & 4) {
    values.printed = true;
    values.water = water;
    values.hydration = hydration;
  }
  return values;
}

}  // namespace tesmora
