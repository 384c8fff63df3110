#include "records/inflation_results.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tesmora {
namespace {

// A test whose pressure is the raw value itself, sampled every 100 ms.
DecodedTest PlainTest() {
  DecodedTest test;
  test.SampleIntervalMs = 100;
  test.PressureScale = 1;
  test.PressureOffset = 0;
  test.PressureGain = 1;
  return test;
}

void SetCurve(DecodedTest& test, int k, const std::vector<int>& values, bool enabled = true) {
  std::copy(values.begin(), values.end(), test.Curves[k].begin());
  test.Curves[k][values.size()] = kEndMark;
  test.CurveEnabled[k] = enabled;
  if (enabled) test.LastEnabledCurve = std::max(test.LastEnabledCurve, k);
  test.CurveCount = std::max(test.CurveCount, k + 1);
}

// A bubble: rises to `peak` at point 10, falls by `decline` a point up to
// point `burst`, then by `burstFall` a point `burstPoints` times.
std::vector<int> Bubble(int peak, int burst, int decline = 1, int burstFall = 50,
                        int burstPoints = 8) {
  std::vector<int> curve;
  for (int i = 0; i <= 10; ++i) curve.push_back(peak * i / 10);
  for (int i = 11; i <= burst; ++i) curve.push_back(curve.back() - decline);
  for (int i = 0; i < burstPoints; ++i) curve.push_back(curve.back() - burstFall);
  return curve;
}

CurveEnd End(const DecodedTest& test, const std::vector<int>& curve, float& carried) {
  return FindCurveEnd(test, curve.data(), static_cast<int>(curve.size()), carried);
}

TEST(CurveEnd, IsThePointReachedByTheFirstOfFiveSteepFalls) {
  const DecodedTest test = PlainTest();
  float carried = 1;
  const CurveEnd end = End(test, Bubble(500, 80, 3), carried);
  EXPECT_EQ(end.endIndex, 81);
  // The fall per point just before the burst.
  EXPECT_EQ(end.slope, 3);
  EXPECT_FLOAT_EQ(carried, 3);
}

TEST(CurveEnd, AFallTooGentleForTheFirstStepIsFoundByALaterPass) {
  const DecodedTest test = PlainTest();
  float carried = 1;
  // Falls of 4 exceed the lowest average fall (1) by less than the first
  // step (4, the peak being above 80 mm) but more than the second (2).
  EXPECT_EQ(End(test, Bubble(500, 60, 1, 4, 10), carried).endIndex, 61);
}

TEST(CurveEnd, ShortCurvesEndAtTheirLastPointWithSlopeOne) {
  const DecodedTest test = PlainTest();
  float carried = 7;
  // Maximum at point 10, only 6 points after it.
  std::vector<int> curve = Bubble(300, 10, 1, 50, 6);
  const CurveEnd end = End(test, curve, carried);
  EXPECT_EQ(end.endIndex, static_cast<int>(curve.size()) - 1);
  EXPECT_EQ(end.slope, 1);
  EXPECT_FLOAT_EQ(carried, 7);
}

TEST(CurveEnd, ACurveWithoutBurstEndsWhereItStopsAndKeepsTheSlopeBeforeIt) {
  const DecodedTest test = PlainTest();
  float carried = 1;
  End(test, Bubble(500, 80, 3), carried);
  // No steep fall at all.
  const std::vector<int> gentle = Bubble(500, 90, 1, 1, 0);
  CurveEnd end = End(test, gentle, carried);
  EXPECT_EQ(end.endIndex, static_cast<int>(gentle.size()) - 1);
  EXPECT_EQ(end.slope, 3);
  // Three steep falls pending at the end: the end steps back over two of them.
  const std::vector<int> cut = Bubble(500, 90, 1, 50, 3);
  end = End(test, cut, carried);
  EXPECT_EQ(end.endIndex, static_cast<int>(cut.size()) - 1 - 2);
}

TEST(InflationResults, MeanCurveExtendsEachCurvePastItsEndByItsSlope) {
  DecodedTest test = PlainTest();
  SetCurve(test, 0, Bubble(500, 40, 2));  // ends at 41, slope 2
  SetCurve(test, 1, Bubble(520, 60, 2));  // ends at 61
  SetCurve(test, 2, Bubble(900, 70, 2), false);
  ComputeInflationResults(test, '1');
  const auto& mean = test.MeanCurves[0];
  // Average end (41 + 61) / 2 = 51 points.
  ASSERT_EQ(CurveLength(mean), 53);
  EXPECT_EQ(mean[52], 0);
  EXPECT_EQ(mean[5], (250 + 260) / 2);
  const int first = Bubble(500, 40, 2)[41] - (50 - 41) * 2;
  EXPECT_EQ(mean[50], (first + Bubble(520, 60, 2)[50]) / 2);
  EXPECT_FLOAT_EQ(test.SeriesResults[0].L, 28);  // 51 x 0.005506 x 100 = 28.08
}

TEST(InflationResults, PIsRoundedHalfUpAndDroppedAbove400) {
  const struct {
    int peak;
    float p;
  } cases[] = {{5, 6}, {363, 399}, {364, 400}, {365, 0}};  // x 1.1: 5.5, 399.3, 400.4, 401.5
  for (const auto& c : cases) {
    DecodedTest test = PlainTest();
    // Flat after the peak, so that the mean curve's maximum is the peak.
    SetCurve(test, 0, Bubble(c.peak, 80, 0, 50));
    ComputeInflationResults(test, '1');
    EXPECT_FLOAT_EQ(test.SeriesResults[0].P, c.p) << c.peak;
    if (c.p == 0) {
      EXPECT_FLOAT_EQ(test.SeriesResults[0].G, 0);
      EXPECT_FLOAT_EQ(test.SeriesResults[0].PL, 0);
    }
  }
}

// A pressure offset whose P before rounding (offset x 1.1) is exactly `p`.
float OffsetGivingP(float p) {
  float offset = p / 1.1f;
  for (int step = 0; step < 8 && offset * 1.1f != p; ++step) {
    offset = std::nextafter(offset, offset * 1.1f < p ? 1000.0f : 0.0f);
  }
  return offset;
}

TEST(InflationResults, PAt399Point6Becomes400AndAt400Point5IsDropped) {
  const struct {
    float before;
    float p;
  } cases[] = {{399.6f, 400}, {400.5f, 0}, {399.5f, 400}, {400.4f, 400}};
  for (const auto& c : cases) {
    DecodedTest test = PlainTest();
    SetCurve(test, 0, Bubble(300, 80, 1));
    test.PressureScale = 0;  // every point at the same pressure
    test.PressureOffset = OffsetGivingP(c.before);
    ASSERT_EQ(test.PressureOffset * 1.1f, c.before);
    ComputeInflationResults(test, '1');
    EXPECT_FLOAT_EQ(test.SeriesResults[0].P, c.p) << c.before;
  }
}

TEST(InflationResults, IeNeedsALengthOfFortyMillimetres) {
  // Ends 71 and 72 average 71.5 points: L = 39.4 mm, no reference pressure.
  DecodedTest test = PlainTest();
  SetCurve(test, 0, Bubble(300, 70, 1));
  SetCurve(test, 1, Bubble(300, 71, 1));
  test.SeriesResults[0].IeReferencePressure = 55;
  ComputeInflationResults(test, '1');
  EXPECT_FLOAT_EQ(test.SeriesResults[0].L, 39);
  EXPECT_FLOAT_EQ(test.SeriesResults[0].IeReferencePressure, 0);
  EXPECT_FLOAT_EQ(test.SeriesResults[0].Ie, 0);

  // Both ending at 72: L = 39.64 rounds to 40, and the reference point
  // 7200 / 100 = 72 is the mean curve's last point.
  SetCurve(test, 0, Bubble(300, 71, 1));
  ComputeInflationResults(test, '1');
  const InflationResults& r = test.SeriesResults[0];
  EXPECT_FLOAT_EQ(r.L, 40);
  EXPECT_FLOAT_EQ(r.IeReferencePressure, static_cast<float>(Bubble(300, 71, 1)[72]));
  EXPECT_FLOAT_EQ(r.P, 330);
  EXPECT_FLOAT_EQ(r.Ie, r.IeReferencePressure * 1.1f / 330);
  EXPECT_NEAR(r.G, 2.226 * std::sqrt(40.0), 1e-4);
  EXPECT_FLOAT_EQ(r.PL, 330.0f / 40);
}

TEST(InflationResults, WIsTheAreaUnderTheMeanCurveLimitedTo9999) {
  DecodedTest test = PlainTest();
  SetCurve(test, 0, Bubble(300, 80, 1));
  test.WxLength = 11;  // 11 mm = point 19 at 100 ms
  ComputeInflationResults(test, '1');
  const InflationResults& r = test.SeriesResults[0];
  double area = 0;
  const auto& mean = test.MeanCurves[0];
  for (int i = 1; i <= 81; ++i) area += (mean[i - 1] + mean[i]) / 2.0;
  EXPECT_NEAR(r.W, area * 0.00005506 * 100 * 6.54, 0.01);
  double areaToX = 0;
  for (int i = 1; i <= 19; ++i) areaToX += (mean[i - 1] + mean[i]) / 2.0;
  EXPECT_NEAR(r.Wx, areaToX * 0.00005506 * 100 * 6.54, 0.01);

  const std::int8_t noPoint[] = {0, static_cast<std::int8_t>(200), 100};  // 100 mm: past the end
  for (const std::int8_t length : noPoint) {
    test.WxLength = length;
    ComputeInflationResults(test, '1');
    EXPECT_FLOAT_EQ(test.SeriesResults[0].Wx, 0) << int{length};
  }

  test.PressureGain = 1000;
  ComputeInflationResults(test, '1');
  EXPECT_FLOAT_EQ(test.SeriesResults[0].W, 9999);
}

TEST(InflationResults, DegradationTestsComputeTheSeriesThatHasValidatedCurves) {
  DecodedTest test = PlainTest();
  test.DegradationTest = true;
  test.FirstSeriesCurveCount = 3;
  for (int k = 0; k < 5; ++k) SetCurve(test, k, Bubble(300 - 40 * k, 60 + 5 * k, 1));
  test.CurveEnabled[2] = false;
  test.SeriesResults[0].P = 123;  // the recorder's value of series 1
  test.SeriesResults[0].HydHa = 57.5f;
  test.SeriesResults[0].WxLabel = {'5', '0', '\0', '\0'};
  ComputeInflationResults(test, '3');
  EXPECT_FLOAT_EQ(test.SeriesResults[0].P, 123);
  // Mean of curves 4 and 5, whose peaks are 180 and 140.
  EXPECT_FLOAT_EQ(test.SeriesResults[1].P, RoundHalfUp(160 * 1.1f));
  EXPECT_FLOAT_EQ(test.SeriesResults[1].HydHa, 57.5f);
  EXPECT_EQ(test.SeriesResults[1].WxLabel, test.SeriesResults[0].WxLabel);
  EXPECT_FLOAT_EQ(test.Idp, DegradationIndex(test.SeriesResults[0].W, test.SeriesResults[1].W));

  // Nothing validated after the first series: the first three curves are the test.
  test.CurveEnabled[3] = test.CurveEnabled[4] = false;
  test.LastEnabledCurve = 1;
  ComputeInflationResults(test, '3');
  // Mean of curves 1 and 2, whose peaks are 300 and 260.
  EXPECT_FLOAT_EQ(test.SeriesResults[0].P, RoundHalfUp(280 * 1.1f));
  EXPECT_FLOAT_EQ(test.Idp, 0);
}

TEST(InflationResults, DegradationIndexComparesTheWValuesAsPrinted) {
  EXPECT_NEAR(DegradationIndex(200.4f, 150.6f), 24.5f, 1e-5);  // (200 - 151) x 100 / 200
  EXPECT_FLOAT_EQ(DegradationIndex(0.05f, 10), 0);
  // Above 0.1 but printed as 0: no division by zero.
  EXPECT_FLOAT_EQ(DegradationIndex(0.3f, 0.2f), 0);
}

TEST(InflationResults, NoValidatedCurveGivesZeroResultsAndAOnePointMean) {
  DecodedTest test = PlainTest();
  SetCurve(test, 0, Bubble(300, 60), false);
  ComputeInflationResults(test, '1');
  EXPECT_EQ(CurveLength(test.MeanCurves[0]), 2);
  EXPECT_FLOAT_EQ(test.SeriesResults[0].L, 0);
  EXPECT_FLOAT_EQ(test.SeriesResults[0].W, 0);
  EXPECT_FLOAT_EQ(test.SeriesResults[0].P, 0);
}

}  // namespace
}  // namespace tesmora
