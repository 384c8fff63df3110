#include "records/consistency_results.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tesmora {
namespace {

// A recalculated consistency test whose samples are millibars as they stand.
DecodedTest Consistency(int type, int samples, int level) {
  DecodedTest test;
  test.TestType = type;
  test.ScaleFactor = 1;
  test.RecalculationFlag = true;
  test.SampleCount = samples;
  for (int k = 0; k < samples; ++k) test.Samples[k] = level;
  return test;
}

fprotocole Protocol(int lower, int target) {
  fprotocole protocol;
  protocol.lowerPrMax = static_cast<std::int16_t>(lower);
  protocol.targetPrMax = static_cast<std::int16_t>(target);
  return protocol;
}

TEST(ConsistencyResults, TheSmoothedCurveIsARunningMeanOfTwentySamplesInMillibars) {
  DecodedTest test = Consistency(1, 30, 0);
  test.RecalculationFlag = false;
  test.ScaleFactor = 2;
  for (int k = 0; k < 30; ++k) test.Samples[k] = k;
  test.Samples[0] = 0;
  ComputeConsistencyResults(test, Protocol(0, 0));
  EXPECT_FLOAT_EQ(test.SmoothedCurve[0], 0);  // not above 0: stays 0
  EXPECT_FLOAT_EQ(test.SmoothedCurve[3], 2 * 1.5f);
  EXPECT_FLOAT_EQ(test.SmoothedCurve[19], 2 * 9.5f);
  EXPECT_FLOAT_EQ(test.SmoothedCurve[25], 2 * 15.5f);  // samples 6 to 25
}

TEST(ConsistencyResults, FewerThanTwentyOneSamplesGivePrMaxZeroAtTheLastSample) {
  DecodedTest test = Consistency(2, 15, 400);
  test.HalfSecondSteps = true;
  ComputeConsistencyResults(test, Protocol(0, 0));
  EXPECT_FLOAT_EQ(test.PrMax, 0);
  EXPECT_DOUBLE_EQ(test.ConsistencyResults[kTPrMax], 1 + 14 * 0.5);
}

TEST(ConsistencyResults, TypeTwoRecalculatesWaterAbsorptionAndHydrationFromPrMax) {
  DecodedTest test = Consistency(2, 100, 500);
  ComputeConsistencyResults(test, Protocol(450, 500));
  EXPECT_FLOAT_EQ(test.PrMax, 500);
  // The last of the equal maxima: entry 79, the last with 20 samples after it.
  EXPECT_DOUBLE_EQ(test.ConsistencyResults[kTPrMax], 80);
  const auto& r = test.ConsistencyResults;
  EXPECT_NEAR(r[kWaMs], 71.902647, 1e-6);
  EXPECT_NEAR(r[kWa], 46.117250, 1e-6);
  // Protocol 0 takes 600 as the reference consistency.
  EXPECT_NEAR(r[kHydHa], 43.617250, 1e-6);

  test.ProtocolNumber = 3;  // 500 x 0.2 + 160 = 260
  ComputeConsistencyResults(test, Protocol(450, 500));
  EXPECT_NEAR(r[kHydHaMs], 76.47 - (260 - 344.71) / 34, 1e-9);

  DecodedTest weak = Consistency(2, 100, 9);
  ComputeConsistencyResults(weak, Protocol(0, 0));
  EXPECT_DOUBLE_EQ(weak.ConsistencyResults[kWa], 0);
}

TEST(ConsistencyResults, TypeOneAtTheTargetConsistencyKeepsItsHydration) {
  // 300 s at 500 mb then 100 mb: PrMax 500 on target, so HYDHAC = HYDHA.
  DecodedTest test = Consistency(1, 600, 500);
  for (int k = 300; k < 600; ++k) test.Samples[k] = 100;
  test.ConsistencyResults[kHydHa] = 55;
  test.ProtocolNumber = 1;
  ComputeConsistencyResults(test, Protocol(450, 500));
  const auto& r = test.ConsistencyResults;
  EXPECT_FLOAT_EQ(test.PrMax, 500);
  EXPECT_DOUBLE_EQ(r[kTPrMax], 280);
  EXPECT_NEAR(r[kHydHaMs], 70 / 0.85, 1e-9);
  EXPECT_NEAR(r[kHydHaC], 55, 1e-9);
  EXPECT_NEAR(r[kWaC], r[kWa], 1e-9);
  EXPECT_DOUBLE_EQ(r[kD250], 0);    // still on the plateau
  EXPECT_DOUBLE_EQ(r[kD450], 400);  // on the lower level
  // The curve falls through 400 mb within the softening span around 300 s.
  EXPECT_GT(r[kStab], 300 - 35);
  EXPECT_LT(r[kStab], 300 + 35);
}

TEST(ConsistencyResults, TypeOneBelowOneMillibarKeepsTheFileValues) {
  DecodedTest test = Consistency(1, 50, 0);
  for (int i = 0; i < kConsistencyResultCount; ++i) test.ConsistencyResults[i] = 10 + i;
  ComputeConsistencyResults(test, Protocol(450, 500));
  for (int i = 0; i < kConsistencyResultCount; ++i) {
    if (i == kHydHaMs) continue;
    EXPECT_DOUBLE_EQ(test.ConsistencyResults[i], 10 + i) << i;
  }
  EXPECT_NEAR(test.ConsistencyResults[kHydHaMs], (13 + 15) / 0.85, 1e-12);
}

TEST(ConsistencyResults, AHydrationOnTheReferenceLineNeverGivesAnInfiniteResult) {
  // (HYDHA + 15) / 0.85 = 77.4 leaves no slope; walk the values around it.
  double hydha = 0.85 * 77.4 - 15;
  for (int i = 0; i < 8; ++i) hydha = std::nextafter(hydha, 0.0);
  for (int i = 0; i < 16; ++i, hydha = std::nextafter(hydha, 100.0)) {
    DecodedTest test = Consistency(1, 100, 480);
    test.ConsistencyResults[kHydHa] = hydha;
    ComputeConsistencyResults(test, Protocol(450, 500));
    for (const double value : test.ConsistencyResults) ASSERT_TRUE(std::isfinite(value)) << hydha;
  }
  // The same when the curve's own PrMax makes the line flat.
  DecodedTest flat = Consistency(1, 100, 480);
  flat.ConsistencyResults[kHydHa] = 40;
  const double h = 55 / 0.85;
  const double x = 500 * 1.123 + 190.9 * h - 15135.3;
  for (int k = 0; k < 100; ++k) flat.Samples[k] = 0;
  flat.ScaleFactor = 0;
  flat.PrMax = static_cast<float>(x);
  ComputeConsistencyResults(flat, Protocol(450, 500));
  for (const double value : flat.ConsistencyResults) EXPECT_TRUE(std::isfinite(value));
}

TEST(ConsistencyResults, TheBasisFlagsChooseTheConvertedValues) {
  DecodedTest test;
  test.TestType = 1;
  test.ConsistencyResults[kWaC] = 45;
  test.ConsistencyResults[kHydHaC] = 40;
  const double water = 60 * 1.1764705882352942;
  const struct {
    std::uint8_t flags;
    bool printed;
    bool b14;
    double water;
  } cases[] = {{0, false, false, 0},
               {4, true, false, water},
               {8, true, true, 0.86 * water - 14},
               {12, true, true, 0.86 * water - 14},
               {3, false, false, 0}};
  for (const auto& c : cases) {
    const BasisValues values = ConvertToBasis(test, c.flags);
    EXPECT_EQ(values.printed, c.printed) << int{c.flags};
    EXPECT_EQ(values.b14, c.b14) << int{c.flags};
    EXPECT_DOUBLE_EQ(values.water, c.water) << int{c.flags};
  }
  test.TestType = 2;
  test.ConsistencyResults[kWaMs] = 70;
  test.ConsistencyResults[kHydHaMs] = 65;
  EXPECT_DOUBLE_EQ(ConvertToBasis(test, 4).hydration, 65);
}

}  // namespace
}  // namespace tesmora
