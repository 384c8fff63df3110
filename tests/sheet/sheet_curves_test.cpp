// The curves of a sheet: which segments are drawn, the average curve, and
// curves that run past the ends of their axes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fixtures/test_file_writer.h"
#include "sheet/sheet_loader.h"
#include "sheet/sheet_page.h"
#include "sheet_test_support.h"
#include "support/temp_dir.h"

namespace tesmora {
namespace {

using namespace sheet_testing;

// Black lines at the height of a raw value of 77 (7.7 cm above the axis).
int AverageSegments(const RecordingCanvas& canvas) {
  const int y = 3342 - CmToDots(7.7, 300);
  int count = 0;
  for (const auto& line : LinesIn(canvas, kBlack)) count += line[1] == y && line[3] == y;
  return count;
}

TEST(SheetCurves, TheAverageCurveNeedsTwoValidatedCurves) {
  for (const int validated : {1, 2}) {
    SheetPage page = MemoryPage(SheetType::Aha);
    SetCurve(page, 0, {20, 60, 40}, true);
    SetCurve(page, 1, {20, 70, 40}, validated == 2);
    SetAbscissae(page, 4, 10);
    auto& mean = Edit(page).decoded.MeanCurves[0];
    mean = {};
    for (int i = 0; i < 4; ++i) mean[i] = 77;
    mean[4] = kEndMark;
    const RecordingCanvas canvas = Draw(page);
    EXPECT_EQ(AverageSegments(canvas), validated == 2 ? 3 : 0) << validated;
    EXPECT_EQ(LinesIn(canvas, kGreen).size(), validated == 2 ? 2u : 0u);
  }
}

TEST(SheetCurves, SegmentsLeavingTheAxisAreSkippedAndTheLastSampleIsJoined) {
  SheetPage page = MemoryPage(SheetType::Ahc);
  SetCurve(page, 0, {0, 50, 80, 0, 20}, true);
  SetAbscissae(page, 5, 10);
  const RecordingCanvas canvas = Draw(page);
  const auto x = [](int i) { return 236 + CmToDots(i * 10 * 0.1, 300); };
  const auto y = [](int raw) { return 3342 - CmToDots(raw * 0.1, 300); };
  EXPECT_EQ(LinesIn(canvas, kRed), (std::vector<std::vector<int>>{
                                       {x(1), y(50), x(2), y(80)},
                                       {x(2), y(80), x(3), y(0)},
                                   }));
  for (const CanvasOp& op : OpsOf(canvas, Kind::Line)) {
    if (op.state.pen == kRed) {
      EXPECT_EQ(op.state.penWidth, 3);
    }
  }
}

TEST(SheetCurves, TheAverageCurveEndsOnTheAxisWhenItFallsBelow) {
  SheetPage page = MemoryPage(SheetType::Ahc);
  SetCurve(page, 0, {20, 60}, true);
  SetCurve(page, 1, {20, 60}, true);
  SetAbscissae(page, 3, 10);
  auto& mean = Edit(page).decoded.MeanCurves[0];
  mean[0] = 60;
  mean[1] = 30;
  mean[2] = -10;
  mean[3] = kEndMark;
  const RecordingCanvas canvas = Draw(page);
  const std::vector<int> last{236 + 118, 3342 - 354, 236 + 236, 3342};
  const auto black = LinesIn(canvas, kBlack);
  EXPECT_NE(std::find(black.begin(), black.end(), last), black.end());
}

TEST(SheetCurves, ACurveLongerThanItsAbscissaeStopsAtTheLastOne) {
  SheetPage page = MemoryPage(SheetType::Ahc);
  SetCurve(page, 0, {20, 30, 40, 50, 60}, true);
  SetAbscissae(page, 3, 10);
  EXPECT_EQ(LinesIn(Draw(page), kRed).size(), 2u);
  Edit(page).sheet.RowLabels.clear();
  EXPECT_TRUE(LinesIn(Draw(page), kRed).empty());
}

// Curves are drawn to the end of their data: past the ends of the axes, cut
// only where they would rise into the header or leave the paper.
TEST(SheetCurves, ALongConsistencyTestIsDrawnPastTheAxisToTheEdgeOfThePaper) {
  SheetPage page = MemoryPage(SheetType::Chc, "03150012.405");
  ExportState& state = Edit(page);
  state.decoded.CurveCount = 3;
  state.decoded.CurveEnabled = {true, false, false, false, false};
  // 500 s lies at 15 cm, 600 s at 18 cm, 700 s at 21 cm: the axis ends at
  // 17 cm (566 s), the paper at 19 cm (633 s).
  const float pressures[] = {400, 400, 400, 9000};
  std::copy(std::begin(pressures), std::end(pressures),
            state.sheet.ConsistencyPressureColumn.begin());
  state.sheet.RowLabels = {"500", "600", "700", "701", "-1"};
  const auto red = LinesIn(Draw(page), kRed);
  const int y = 3342 - CmToDots(1.2, 300);
  EXPECT_EQ(red, (std::vector<std::vector<int>>{{236 + 1771, y, 236 + 2125, y},
                                                {236 + 2125, y, 2480, y}}));
}

TEST(SheetCurves, AnInflationCurvePastTheAxisIsDrawnAndCutAtTheHeader) {
  SheetPage page = MemoryPage(SheetType::Ahc);
  // Half scale: 360 mm of length lie at 18 cm, past the axis's end at 17 cm;
  // 400 mm of height at 20 cm, above the graph's top (line 1299).
  SetCurve(page, 0, {100, 100, 400}, true);
  Edit(page).sheet.RowLabels = {"300", "360", "360", "-1"};
  ASSERT_EQ(PlotScaleOf(page), 0.5);
  const auto red = LinesIn(Draw(page), kRed);
  const int x300 = 236 + CmToDots(15, 300);
  const int x360 = 236 + CmToDots(18, 300);
  const int y100 = 3342 - CmToDots(5, 300);
  ASSERT_EQ(red.size(), 2u);
  EXPECT_EQ(red[0], (std::vector<int>{x300, y100, x360, y100}));
  EXPECT_EQ(red[1], (std::vector<int>{x360, y100, x360, 1299}));
}

TEST(SheetCurves, ACurveFallingBelowTheAxisIsDrawnToTheEdgeOfThePaper) {
  SheetPage page = MemoryPage(SheetType::Ahc);
  // Raw values are millimetres here: 20 mm lie 236 dots above the axis,
  // -10 mm 118 dots below it, -20 mm past the paper's foot (dot 3507).
  SetCurve(page, 0, {20, -10, 20, -20}, true);
  SetAbscissae(page, 4, 10);
  const auto red = LinesIn(Draw(page), kRed);
  // The second segment starts below the axis: skipped, as ever.
  ASSERT_EQ(red.size(), 2u);
  EXPECT_EQ(red[0], (std::vector<int>{236, 3342 - 236, 354, 3342 + 118}));
  EXPECT_EQ(red[1][0], 472);
  EXPECT_EQ(red[1][1], 3342 - 236);
  EXPECT_EQ(red[1][3], 3507);
}

TEST(SheetCurves, TheAverageCurveKeepsItsLoweredPointsOnTheAxis) {
  SheetPage page = MemoryPage(SheetType::Ahc);
  SetCurve(page, 0, {20, 60}, true);
  SetCurve(page, 1, {20, 60}, true);
  SetAbscissae(page, 4, 10);
  auto& mean = Edit(page).decoded.MeanCurves[0];
  const int values[] = {60, -10, -20, 30, kEndMark};
  std::copy(std::begin(values), std::end(values), mean.begin());
  // The average's segments: every black line but the axes and the ticks,
  // which are vertical or start at the axis's left end.
  std::vector<std::vector<int>> black;
  for (const auto& line : LinesIn(Draw(page), kBlack)) {
    if (line[0] != line[2] && line[1] != line[3]) black.push_back(line);
    if (line[1] == 3342 && line[3] == 3342 && line[0] == 354) black.push_back(line);
  }
  EXPECT_EQ(black, (std::vector<std::vector<int>>{{236, 3342 - 708, 354, 3342},
                                                  {354, 3342, 472, 3342},
                                                  {472, 3342, 590, 3342 - 354}}));
}

// Whole pages of realistic tests, loaded through the exporter: the usual
// ones, a consistency test of 1100 s and an inflation test whose first
// bubble stretches past 340 mm (half scale, past the axis's end).
TEST(SheetCurves, RealisticTestsStayOnThePaperBelowTheHeaderAndLongOnesRunPastTheAxis) {
  testing::TempDir folder, home;
  Exporter exporter(home.path(), home.path());
  const auto write = [&](const std::string& name, const fixtures::Bytes& bytes) {
    testing::WriteBytes(folder.File(name), std::string(bytes.begin(), bytes.end()));
  };
  fixtures::ConsistencyOptions longConsistency;
  longConsistency.sampleCount = 1100;
  fixtures::InflationOptions longInflation;
  longInflation.kindDigit = '3';
  longInflation.sampleIntervalMs = 200;
  longInflation.firstCurveLengthFactor = 3.4;
  write("03150012.105", fixtures::BuildInflationFile(fixtures::RealisticInflationTest(5, '1')));
  write("03150013.305", fixtures::BuildInflationFile(fixtures::RealisticInflationTest(6, '3')));
  write("03150014.405", fixtures::BuildConsistencyFile(fixtures::RealisticConsistencyTest(7, '4')));
  write("03150015.505", fixtures::BuildConsistencyFile(fixtures::RealisticConsistencyTest(8, '5')));
  write("03150016.505",
        fixtures::BuildConsistencyFile(fixtures::RealisticConsistencyTest(3, longConsistency)));
  write("03150017.305",
        fixtures::BuildInflationFile(fixtures::RealisticInflationTest(1, longInflation)));
  const struct {
    std::string name;
    bool pastTheAxis;
  } cases[] = {{"03150012.105", false}, {"03150013.305", false}, {"03150014.405", true},
               {"03150015.505", true},  {"03150016.505", true},  {"03150017.305", true}};
  SheetData sheet;
  for (const auto& c : cases) {
    const SheetLoad load = LoadSheetTest(exporter, {}, 0, folder.path(), c.name, sheet);
    ASSERT_TRUE(load.page.has_value()) << c.name;
    for (const PageDevice& device : {kA4At300Dpi, A4Page({600, 600})}) {
      const Resolution& d = device.dots;
      const GraphGeometry g = PlaceGraph(d, device.width - d.X(2), device.height - d.Y(0.5));
      const RecordingCanvas canvas = Draw(*load.page, device);
      int curveSegments = 0;
      int rightmost = 0;
      for (const CanvasOp& op : OpsOf(canvas, Kind::Line)) {
        if (op.state.pen == kBlack) continue;
        ++curveSegments;
        for (const int i : {0, 2}) {
          EXPECT_GE(op.n[i], g.ContentLeft) << c.name;
          EXPECT_LE(op.n[i], device.width) << c.name;
          EXPECT_GE(op.n[i + 1], g.GraphTop) << c.name;
          EXPECT_LE(op.n[i + 1], g.AxisY) << c.name;
          rightmost = std::max(rightmost, op.n[i]);
        }
      }
      EXPECT_GT(curveSegments, 100) << c.name;
      EXPECT_EQ(rightmost > g.ContentRight, c.pastTheAxis) << c.name << " " << rightmost;
    }
  }
  // The test of 1100 s runs on to the paper's edge.
  const SheetLoad load = LoadSheetTest(exporter, {}, 0, folder.path(), "03150016.505", sheet);
  ASSERT_TRUE(load.page.has_value());
  int rightmost = 0;
  for (const auto& line : LinesIn(Draw(*load.page), kRed)) rightmost = std::max(rightmost, line[2]);
  EXPECT_EQ(rightmost, kA4At300Dpi.width);
}

}  // namespace
}  // namespace tesmora
