#include "sheet/sheet_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "sheet_test_support.h"

namespace tesmora {
namespace {

using namespace sheet_testing;

TEST(SheetPage, A4GraphGeometryAtBothResolutions) {
  const struct {
    Resolution dots;
    PageDevice device;
    GraphGeometry graph;
  } cases[] = {
      {{300, 300}, kA4At300Dpi, {236, 2244, 1299, 2043, 3342, 1807}},
      {{600, 600}, {4960, 7015, {600, 600}}, {472, 4488, 2598, 4087, 6685, 3615}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(A4Page(c.dots).width, c.device.width);
    EXPECT_EQ(A4Page(c.dots).height, c.device.height);
    const Resolution& d = c.dots;
    const GraphGeometry g = PlaceGraph(d, c.device.width - d.X(2), c.device.height - d.Y(0.5));
    EXPECT_EQ(g.ContentLeft, c.graph.ContentLeft);
    EXPECT_EQ(g.ContentRight, c.graph.ContentRight);
    EXPECT_EQ(g.GraphTop, c.graph.GraphTop);
    EXPECT_EQ(g.GraphHeight, c.graph.GraphHeight);
    EXPECT_EQ(g.AxisY, c.graph.AxisY);
    EXPECT_EQ(g.AxisLength, c.graph.AxisLength);

    const RecordingCanvas canvas = Draw(MemoryPage(SheetType::Ahc), c.device);
    const std::vector<std::vector<int>> black = LinesIn(canvas, kBlack);
    const int left = g.ContentLeft;
    const int axisY = g.AxisY;
    const auto has = [&](std::vector<int> line) {
      return std::find(black.begin(), black.end(), line) != black.end();
    };
    EXPECT_TRUE(has({left, axisY, left, axisY - g.AxisLength}));
    EXPECT_TRUE(has({left, axisY, g.ContentRight, axisY}));

    // Vertical ticks from 0 to 15 cm, the major ones every 5 cm.
    const int h = d.X(0.2) / 2;
    std::vector<int> minor, major;
    for (const auto& line : black) {
      if (line[1] != line[3]) continue;
      if (line[0] == left && line[2] == left + h) minor.push_back(axisY - line[1]);
      if (line[0] == left - h && line[2] == left + h) major.push_back(axisY - line[1]);
    }
    std::vector<int> expectedMinor;
    for (int i = 0; i <= 15; ++i) expectedMinor.push_back(d.Y(i));
    EXPECT_EQ(minor, expectedMinor);
    EXPECT_EQ(major, (std::vector<int>{0, d.Y(5), d.Y(10), d.Y(15)}));
    for (const CanvasOp& pen : OpsOf(canvas, Kind::Line)) {
      if (pen.n[1] > g.GraphTop) {
        EXPECT_EQ(pen.state.penWidth, d.DpiX / 96);
      }
    }
  }
}

// The first text drawn below the header with exactly this text.
const CanvasOp* GraphText(const RecordingCanvas& canvas, std::string_view text) {
  for (const CanvasOp& op : canvas.ops()) {
    if (op.kind == Kind::Text && op.text == text && op.n[1] > 1299) return &op;
  }
  return nullptr;
}

TEST(SheetPage, AxisLabelsAndTitlesAtFullScale) {
  const RecordingCanvas canvas = Draw(MemoryPage(SheetType::Ahc));
  // Vertical labels end 2 mm left of the axis, centred on their tick.
  const CanvasOp* zero = GraphText(canvas, "0");
  ASSERT_NE(zero, nullptr);
  EXPECT_EQ(zero->n[0], 236 - 30 - 23);
  EXPECT_EQ(zero->n[1], 3342 - 30);
  const CanvasOp* fifty = nullptr;
  for (const CanvasOp& op : canvas.ops()) {
    if (op.kind == Kind::Text && op.text == "50" && op.n[1] > 3342) fifty = &op;
  }
  ASSERT_NE(fifty, nullptr);
  EXPECT_EQ(fifty->n[0], 236 + 590 - 30);
  EXPECT_EQ(fifty->n[1], 3342 + 23);
  // The horizontal axis has no "0" of its own: only one "0" is drawn.
  int zeros = 0;
  for (const CanvasOp& op : OpsOf(canvas, Kind::Text)) zeros += op.text == "0" && op.n[1] > 1299;
  EXPECT_EQ(zeros, 1);
  const CanvasOp* vertical = DrawnText(canvas, "H (mm)");
  const CanvasOp* horizontal = DrawnText(canvas, "L (mm)");
  ASSERT_TRUE(vertical && horizontal);
  EXPECT_EQ(vertical->n[0], 236 - 180 / 2);
  EXPECT_EQ(vertical->n[1], 3342 - 1807 - 60);
  EXPECT_EQ(horizontal->n[0], 2244 + 70 - 180);
  EXPECT_EQ(horizontal->n[1], 3342 - 30);
}

TEST(SheetPage, HalfScaleAbove140MillimetresOrPast180) {
  const struct {
    int highestRaw;
    std::vector<std::string> lengths;
    bool half;
  } cases[] = {
      {140, {"0", "90", "180.9", "-1"}, false}, {141, {"0", "90", "180.9", "-1"}, true},
      {140, {"0", "90", "181", "-1"}, true},    {100, {"0", "181", "-1", "400"}, true},
      {100, {"0", "90", "-1", "400"}, false},
  };
  for (const auto& c : cases) {
    SheetPage page = MemoryPage(SheetType::Aha);
    SetCurve(page, 0, {20, c.highestRaw, 60}, true);
    SetCurve(page, 1, {20, 30}, false);
    Edit(page).sheet.RowLabels = c.lengths;
    EXPECT_EQ(PlotScaleOf(page), c.half ? 0.5 : 1) << c.highestRaw << " " << c.lengths[2];
    const RecordingCanvas canvas = Draw(page);
    const CanvasOp* note = DrawnText(canvas, "  SCALE 1/2:P>140mm");
    EXPECT_EQ(note != nullptr, c.half);
    EXPECT_EQ(Drawn(canvas, "300"), c.half);
    EXPECT_EQ(Drawn(canvas, "150"), !c.half);
    if (note != nullptr) {
      EXPECT_EQ(note->state.fontWeight, FontWeight::Bold);
      EXPECT_EQ(note->n[0], 2185 - 177 - 19 * 30);
      EXPECT_EQ(note->n[1], 1299 + 442);
    }
  }
}

TEST(SheetPage, AFullScalePageAfterAHalfScaleOneShowsNoNote) {
  SheetPage half = MemoryPage(SheetType::Ahc);
  SetCurve(half, 0, {20, 150}, true);
  SetAbscissae(half, 2, 1);
  SheetPage full = MemoryPage(SheetType::Ahc);
  SetCurve(full, 0, {20, 100}, true);
  SetAbscissae(full, 2, 1);
  RecordingCanvas canvas(kModel);
  for (const SheetPage* page : {&half, &full}) {
    canvas.BeginPage(2480, 3507, {300, 300});
    DrawPageOnDevice(canvas, *page, kA4At300Dpi);
  }
  int notes = 0;
  bool secondPage = false;
  for (const CanvasOp& op : canvas.ops()) {
    if (op.kind == Kind::Page) secondPage = &op != &canvas.ops().front();
    if (op.kind == Kind::Text && op.text == "  SCALE 1/2:P>140mm") {
      ++notes;
      EXPECT_FALSE(secondPage);
    }
  }
  EXPECT_EQ(notes, 1);
}

TEST(SheetPage, LegendShowsACurveNotValidatedWhiteWithItsNumberInItsColour) {
  SheetPage page = MemoryPage(SheetType::Ahc);
  SetCurve(page, 0, {20, 60, 40}, true);
  SetCurve(page, 1, {20, 70, 40}, false);
  SetCurve(page, 2, {20, 80, 40}, true);
  SetAbscissae(page, 3, 10);
  const RecordingCanvas canvas = Draw(page);
  std::vector<CanvasOp> boxes;
  for (const CanvasOp& rect : OpsOf(canvas, Kind::Rect)) {
    if (rect.outline) boxes.push_back(rect);
  }
  ASSERT_EQ(boxes.size(), 4u);
  const Rgb fills[] = {kRed, kWhite, Rgb{128, 0, 0}, kWhite};
  const int tops[] = {1358, 1476, 1594, 1948};
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_EQ(boxes[i].n, (std::vector<int>{2185, tops[i], 2244, tops[i] + 59}));
    EXPECT_EQ(boxes[i].state.brush, fills[i]);
    EXPECT_EQ(boxes[i].state.pen, kBlack);
  }
  const CanvasOp* two = DrawnText(canvas, "2");
  ASSERT_NE(two, nullptr);
  EXPECT_EQ(two->state.fontColour, kGreen);
  EXPECT_EQ(two->state.fontWeight, FontWeight::Bold);
  EXPECT_EQ(two->n[0], 2185 - 59);
  EXPECT_EQ(two->n[1], 1476 + 29 - 30);
  const CanvasOp* m = DrawnText(canvas, "M");
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->state.fontColour, kBlack);
  EXPECT_TRUE(LinesIn(canvas, kGreen).empty());
  EXPECT_FALSE(LinesIn(canvas, kRed).empty());
}

TEST(SheetPage, AConsistencySheetShowsPrMaxBandAndTwoCurvesAtMost) {
  SheetPage page = MemoryPage(SheetType::Cha, "03150012.505");
  ExportState& state = Edit(page);
  state.decoded.PrMax = 500;
  state.decoded.CurveCount = 3;
  state.decoded.CurveEnabled = {true, true, true, false, false};
  state.sheet.ConsistencyPressureColumn[0] = 100;
  state.sheet.ConsistencyPressureColumn[1] = 200;
  state.sheet.ConsistencyPressureColumn[2] = 300;
  state.sheet.ConsistencyFitColumn[0] = 150;
  state.sheet.ConsistencyFitColumn[1] = 250;
  state.sheet.ConsistencySpareColumn[0] = 400;
  state.sheet.ConsistencySpareColumn[1] = 400;
  state.sheet.RowLabels = {"1", "2", "3", "-1"};
  const RecordingCanvas canvas = Draw(page);
  const auto black = LinesIn(canvas, kBlack);
  const int plus = 3342 - CmToDots(535 * 0.003, 300);
  const int minus = 3342 - CmToDots(465 * 0.003, 300);
  EXPECT_EQ(plus, 3153);
  EXPECT_EQ(minus, 3178);
  EXPECT_NE(std::find(black.begin(), black.end(), std::vector<int>{236, plus, 2244, plus}),
            black.end());
  EXPECT_NE(std::find(black.begin(), black.end(), std::vector<int>{236, minus, 2244, minus}),
            black.end());
  const auto x = [](double t) { return 236 + CmToDots(t * 0.03, 300); };
  const auto y = [](double p) { return 3342 - CmToDots(p * 0.003, 300); };
  EXPECT_EQ(LinesIn(canvas, kRed), (std::vector<std::vector<int>>{
                                       {x(1), y(100), x(2), y(200)},
                                       {x(2), y(200), x(3), y(300)},
                                   }));
  EXPECT_EQ(LinesIn(canvas, kGreen).size(), 1u);
  EXPECT_TRUE(LinesIn(canvas, Rgb{128, 0, 0}).empty());
  EXPECT_FALSE(Drawn(canvas, "M"));
  EXPECT_TRUE(Drawn(canvas, "3"));
  EXPECT_TRUE(Drawn(canvas, "mb"));
  EXPECT_TRUE(Drawn(canvas, "1000"));
  EXPECT_TRUE(Drawn(canvas, "100"));
  // Horizontal minor ticks every 1.5 cm: 50 s apart.
  int minorTicks = 0;
  for (const auto& line : black) minorTicks += line[1] == 3342 - 11 && line[3] == 3342;
  EXPECT_EQ(minorTicks, 12);
}

// Whether a dump line is its call's name, its numbers, and what its call
// adds: colours, a weight, an outline word or a text.
bool WellFormed(const std::string& line) {
  static const std::map<std::string, std::string> kShapes{
      {"page", "nnnn"},  {"pen", "cn"},       {"brush", "c"},    {"font", "nwc"},
      {"extent", "nnT"}, {"line", "nnnn"},    {"rect", "nnnno"}, {"roundrect", "nnnnnn"},
      {"text", "nnnnT"}, {"picture", "nnnn"},
  };
  const std::size_t space = line.find(' ');
  const auto shape = kShapes.find(line.substr(0, space));
  if (shape == kShapes.end() || space == std::string::npos) return false;
  std::size_t at = space + 1;
  for (const char part : shape->second) {
    if (part == 'T') return at <= line.size();  // after one space, the rest of the line
    const std::size_t next = std::min(line.find(' ', at), line.size());
    const std::string word = line.substr(at, next - at);
    bool ok = !word.empty();
    if (part == 'n') {
      ok = ok && word.find_first_not_of("-0123456789") == std::string::npos;
    } else if (part == 'c') {
      ok = word.size() == 7 && word[0] == '#' &&
           word.find_first_not_of("0123456789abcdef", 1) == std::string::npos;
    } else if (part == 'w') {
      ok = word == "normal" || word == "bold";
    } else if (part == 'o') {
      ok = word == "outline" || word == "nooutline";
    }
    if (!ok) return false;
    at = next + 1;
  }
  return at == line.size() + 1;
}

TEST(SheetPage, ItsDumpHasOneWellFormedLinePerCall) {
  SheetPage page = MemoryPage(SheetType::Aha);
  SetCurve(page, 0, {20, 150, 40}, true);
  SetAbscissae(page, 3, 10);
  page.sheet.CustomerLines[0] = "LIGNE\nCOUP\u00C9E";
  const RecordingCanvas canvas = Draw(page);
  const std::string dump = canvas.Dump();
  ASSERT_EQ(dump.back(), '\n');
  std::size_t lines = 0;
  for (std::size_t start = 0, end; (end = dump.find('\n', start)) != std::string::npos;
       start = end + 1, ++lines) {
    const std::string text = dump.substr(start, end - start);
    EXPECT_TRUE(WellFormed(text)) << text;
  }
  EXPECT_EQ(lines, canvas.ops().size());
  EXPECT_EQ(dump.rfind("page 2480 3507 300 300\n", 0), 0u);
  EXPECT_NE(dump.find(" LIGNE COUP\u00C9E\n"), std::string::npos);
}

}  // namespace
}  // namespace tesmora
