#include "sheet/sheet_header.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "sheet_test_support.h"

namespace tesmora {
namespace {

using namespace sheet_testing;

struct Worked {
  Resolution dots;
  PageDevice device;
  DotRect company;
  int curveLine;
  int pitch;
};

const Worked kWorked[] = {
    {{300, 300}, kA4At300Dpi, {236, 165, 1062, 401}, 1299, 53},
    {{600, 600}, {4960, 7015, {600, 600}}, {472, 330, 2125, 802}, 2598, 107},
};

TEST(SheetHeader, BoxesAndTheCurveLineWhereTheWorkedNumbersPutThem) {
  for (const Worked& w : kWorked) {
    SheetPage page = MemoryPage(SheetType::Aha);
    const RecordingCanvas canvas = Draw(page, w.device);
    const std::vector<CanvasOp> rounds = OpsOf(canvas, Kind::RoundRect);
    ASSERT_EQ(rounds.size(), 4u);
    const DotRect& c = w.company;
    const int e = w.dots.X(0.5);
    EXPECT_EQ(rounds[0].n, (std::vector<int>{c.left, c.top, c.right, c.bottom, e, e}));
    // The customer box stands 1 mm right of the company box, up to the right margin.
    const int right = w.device.width - w.dots.X(2);
    EXPECT_EQ(rounds[1].n,
              (std::vector<int>{c.right + w.dots.X(0.1), c.top, right, c.bottom, e, e}));
    const std::vector<CanvasOp> lines = OpsOf(canvas, Kind::Line);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].n, (std::vector<int>{c.left, w.curveLine, right, w.curveLine}));
    EXPECT_EQ(lines[0].state.penWidth, 1);
    for (const CanvasOp& rect : OpsOf(canvas, Kind::Rect)) {
      if (rect.n[1] < w.curveLine) {
        EXPECT_FALSE(rect.outline);
        EXPECT_EQ(rect.state.brush, kWhite);
      }
    }
    // Company lines in rows one pitch apart.
    const CanvasOp* line1 = DrawnText(canvas, "LAB");
    const CanvasOp* line4 = DrawnText(canvas, "PAYS");
    ASSERT_TRUE(line1 && line4);
    EXPECT_EQ(line1->n[0], c.left + w.dots.X(0.1));
    EXPECT_EQ(line1->n[1], c.top + w.dots.Y(0.1));
    EXPECT_EQ(line4->n[1] - line1->n[1], 3 * w.pitch);
  }
}

TEST(SheetHeader, TitleBandMeasuresTheProductNameAndMervic) {
  SheetPage page = MemoryPage(SheetType::Aha);
  page.sheet.SheetTitle = "DOXEL AH";
  const RecordingCanvas canvas = Draw(page);
  const CanvasOp* product = DrawnText(canvas, "KALDIRONE NG");
  ASSERT_NE(product, nullptr);
  EXPECT_EQ(product->n[0], 236 + 11);
  EXPECT_EQ(product->n[1], 59 + 23);
  EXPECT_EQ(product->state.fontPoints, 14);
  EXPECT_EQ(product->state.fontWeight, FontWeight::Bold);
  bool measuredMervic = false;
  for (const CanvasOp& op : OpsOf(canvas, Kind::Extent)) measuredMervic |= op.text == "MERVIC";
  EXPECT_TRUE(measuredMervic);
  EXPECT_FALSE(Drawn(canvas, "MERVIC"));
  // From 2 mm past the product name to 2 mm plus "MERVIC" before the right edge.
  const int from = 236 + 23 + 12 * 35;
  const int to = 2244 - 23 - 6 * 35;
  const CanvasOp* title = DrawnText(canvas, "DOXEL AH");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->n[0], from + (to - from - 8 * 35) / 2);
  EXPECT_EQ(title->n[1], product->n[1]);
  const std::vector<CanvasOp> logo = OpsOf(canvas, Kind::Picture);
  ASSERT_EQ(logo.size(), 1u);
  // 3 cm by 1 cm, its left 4 cm inside the right edge, 1 mm above the company box.
  EXPECT_EQ(logo[0].n, (std::vector<int>{2244 - 354 - 118, 165 - 11 - 118, 2244 - 118, 165 - 11}));
}

TEST(SheetHeader, IdentificationBandPrintsTheDateAndTheFileNameWithAnA) {
  SheetPage page = MemoryPage(SheetType::Aha, "03150012.305");
  Edit(page).decoded.TestTime = {'1', '4', ':', '3', '2', '\0'};
  Edit(page).decoded.Texts.Sample = "BL\x82 42";  // code page 850 e acute
  const RecordingCanvas canvas = Draw(page);
  const CanvasOp* date = DrawnText(canvas, "15/03/05");
  const CanvasOp* name = DrawnText(canvas, "03150012A305");
  ASSERT_TRUE(date && name);
  const int top = 401 + 11;
  EXPECT_EQ(date->n[0], 247 + 271);
  EXPECT_EQ(date->n[1], top);
  const CanvasOp* time = DrawnText(canvas, "14:32");
  ASSERT_NE(time, nullptr);
  EXPECT_EQ(time->n[1], top + 53);
  EXPECT_EQ(name->n[0], 1062 + 11 + 11 + 744);
  EXPECT_EQ(name->n[1], top + 53);
  EXPECT_EQ(name->state.fontWeight, FontWeight::Normal);
  const CanvasOp* label = DrawnText(canvas, "FILE NAME");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->state.fontWeight, FontWeight::Bold);
  EXPECT_TRUE(Drawn(canvas, "BL\u00E9 42"));
  EXPECT_EQ(DrawnText(canvas, "DATE")->state.fontWeight, FontWeight::Normal);
}

TEST(SheetHeader, AShortFileNameIsPrintedAsItIs) {
  const RecordingCanvas canvas = Draw(MemoryPage(SheetType::Ahc, "0315.1"));
  EXPECT_TRUE(Drawn(canvas, "0315.1"));
}

// The results box starts 1 mm right of the 13 cm edge; symbols 5 mm inside.
constexpr int kResultsSymbolX = 1535 + 11 + 59;

// Result symbols in their rows, in order.
std::vector<std::string> ResultSymbols(const RecordingCanvas& canvas) {
  std::vector<std::string> symbols;
  const CanvasOp* title = DrawnText(canvas, " RESULTS  ");
  EXPECT_NE(title, nullptr);
  for (const CanvasOp& op : OpsOf(canvas, Kind::Text)) {
    if (op.n[0] == kResultsSymbolX && op.n[1] > title->n[1]) symbols.push_back(op.text);
  }
  return symbols;
}

TEST(SheetHeader, TheRowsOfEachSheetType) {
  const struct {
    SheetType type;
    std::vector<std::string> symbols;
    bool waterAbsorption;
  } cases[] = {
      {SheetType::Ahc, {"P", "L", "G", "W", "P/L", "Ie", "W (55)"}, true},
      {SheetType::Aha, {"T", "A", "Ex", "Fb", " T/A", "Iec", "Fb (55)", "HYDHA"}, true},
      {SheetType::Chc, {"H2O", "PrMax", "Wa", "HYDHA"}, false},
      {SheetType::Cha, {"H2O", "HYDHA", "PrMax", "TPrMax", "To1", "D250", "D450", "WAC"}, false},
  };
  for (const auto& c : cases) {
    SheetPage page = MemoryPage(c.type);
    Edit(page).decoded.Texts.WxText = "55";
    Edit(page).decoded.Texts.WaterAbsorption = "61.4";
    const RecordingCanvas canvas = Draw(page);
    EXPECT_EQ(ResultSymbols(canvas), c.symbols);
    EXPECT_EQ(Drawn(canvas, "W.A."), c.waterAbsorption);
    EXPECT_EQ(Drawn(canvas, "61.4 %"), c.waterAbsorption);
    // Every row has its "=" 1.8 cm right of its symbol.
    int equals = 0;
    for (const CanvasOp& op : OpsOf(canvas, Kind::Text)) equals += op.text == "=";
    EXPECT_EQ(equals, static_cast<int>(c.symbols.size()));
  }
}

TEST(SheetHeader, ResultValuesWithTheirDecimalsAndUnits) {
  SheetPage page = MemoryPage(SheetType::Ahc);
  InflationResults& s = Edit(page).decoded.SeriesResults[0];
  s = {.P = 84.5f, .L = 62.4f, .G = 21.25f, .W = 180.5f, .PL = 1.355f, .Ie = 0.5625f, .Wx = 95};
  Edit(page).decoded.Texts.WxText = "55";
  const RecordingCanvas canvas = Draw(page);
  for (const std::string text :
       {"85 mmH2O", "62 mm", "21.3", "181 10E-4J", "1.36", "56.3 %", "95 10E-4J"}) {
    EXPECT_TRUE(Drawn(canvas, text)) << text;
  }
  const CanvasOp* p = DrawnText(canvas, "85 mmH2O");
  EXPECT_EQ(p->n[0], kResultsSymbolX + 271);
  EXPECT_EQ(p->n[1], 542 + 94);

  SheetPage cha = MemoryPage(SheetType::Cha);
  Edit(cha).decoded.H2O = 55.125f;
  const RecordingCanvas chaCanvas = Draw(cha);
  const CanvasOp* h2o = DrawnText(chaCanvas, "55.13 %");
  ASSERT_NE(h2o, nullptr);
  EXPECT_EQ(h2o->n[0], kResultsSymbolX + 236);
}

// The value printed in column 1 of the parameters box at `row`, or nothing.
std::optional<std::string> ParameterValue(const RecordingCanvas& canvas, int row) {
  const int x = 236 + 11 + 354;
  const int y = 542 + 94 + row * 53;
  for (const CanvasOp& op : OpsOf(canvas, Kind::Text)) {
    if (op.n[0] == x && op.n[1] == y) return op.text;
  }
  return std::nullopt;
}

TEST(SheetHeader, SampleValuesByTheirFieldsAndTheDecimalSeparator) {
  const std::optional<std::string> none;
  const struct {
    std::string separator;
    std::string temperature, moisture, protein;
    std::optional<std::string> temperatureText, moistureText, proteinText;
  } cases[] = {
      {".", "20.5", "0", "12.456", "20.5 \u00B0C", none, "12.46 %"},
      {".", "", "0.0", "12.4", none, none, "12.4 %"},
      {".", "21", "14.25", "0", "21 \u00B0C", "14.25 %", "0 %"},
      {".", "abc", "-2", "", "0 \u00B0C", none, none},
      {",", "20.55", "14.2", "12.456", "20,6 \u00B0C", "14,2 %", "12,46 %"},
  };
  for (const auto& c : cases) {
    SheetPage page = MemoryPage(SheetType::Ahc);
    page.settings.decimalSeparator = c.separator;
    SampleTexts& t = Edit(page).decoded.Texts;
    t.Temperature = c.temperature;
    t.Moisture = c.moisture;
    t.Protein = c.protein;
    t.Flour = "T55";
    const RecordingCanvas canvas = Draw(page);
    EXPECT_EQ(ParameterValue(canvas, 0), c.temperatureText) << c.temperature;
    EXPECT_EQ(ParameterValue(canvas, 1), "T55");
    EXPECT_EQ(ParameterValue(canvas, 2), c.moistureText) << c.moisture;
    EXPECT_EQ(ParameterValue(canvas, 3), c.proteinText) << c.protein;
    // Labels and colons stand even without a value.
    EXPECT_TRUE(Drawn(canvas, "MOISTURE"));
    EXPECT_TRUE(Drawn(canvas, "LAB.TEMP."));
  }
  // The French comma in the results as well.
  SheetPage page = MemoryPage(SheetType::Ahc);
  page.settings.decimalSeparator = ",";
  Edit(page).decoded.SeriesResults[0].G = 21.25f;
  EXPECT_TRUE(Drawn(Draw(page), "21,3"));
}

TEST(SheetHeader, TheFooterIsBoldAfterAProtocolAndNormalAfterComments) {
  const struct {
    SheetType type;
    std::string fileName;
    FontWeight weight;
  } cases[] = {{SheetType::Ahc, "03150012.105", FontWeight::Normal},
               {SheetType::Aha, "03150012.305", FontWeight::Bold},
               {SheetType::Cha, "03150012.505", FontWeight::Bold},
               {SheetType::Chc, "03150012.405", FontWeight::Bold}};
  for (const auto& c : cases) {
    for (const Worked& w : kWorked) {
      SheetPage page = MemoryPage(c.type, c.fileName);
      page.sheet.ProtocolName = "BLE DUR";
      Edit(page).decoded.Texts.Comment1 = "FIRST COMMENT";
      const RecordingCanvas canvas = Draw(page, w.device);
      const CanvasOp* footer = DrawnText(canvas, "V2.01");
      ASSERT_NE(footer, nullptr);
      EXPECT_EQ(footer->state.fontWeight, c.weight);
      // Right-aligned 1 mm inside the band, its top 10 screen dots and 2 mm above the band's
      // bottom.
      const Resolution d = w.dots;
      const int bandBottom = w.company.bottom + d.Y(1.2) + d.Y(4.5) + d.Y(1.5);
      EXPECT_EQ(footer->n[0] + footer->n[2], w.device.width - d.X(2) - d.X(0.1));
      EXPECT_EQ(footer->n[1], bandBottom - 10 * (d.DpiY / 96) - d.Y(0.2));
      EXPECT_EQ(Drawn(canvas, "BLE DUR"), c.type != SheetType::Ahc);
      EXPECT_EQ(Drawn(canvas, "FIRST COMMENT"), c.type == SheetType::Ahc);
      EXPECT_EQ(Drawn(canvas, "PrMax TARGET"), c.type != SheetType::Ahc);
    }
  }
}

// Header texts are set at 10 points; only a text that would reach the next
// text drawn on its line (its colon, its "=", or a text of the neighbouring
// box on the same line) is set smaller, a point at a time down to 6. A text
// that only crosses a box's edge stays at 10 points. The model gives
// 10-point characters 25 dots, 9-point 22, 8-point 20, 7-point 17, 6-point 15.
TEST(SheetHeader, OnlyATextThatWouldReachTheNextOnItsLineIsSetSmaller) {
  const std::string w33(33, 'W'), w34(34, 'W'), w60(60, 'W'), w200(200, 'W');
  const struct {
    const char* what;
    SheetType type;
    void (*edit)(SheetPage&, const std::string&);
    std::string text;
    int points;
  } cases[] = {
      // The customer box's lines run to the paper's margin and beyond.
      {"customer line over the edge", SheetType::Aha,
       [](SheetPage& p, const std::string& t) { p.sheet.CustomerLines[1] = t; }, w200, 10},
      // A company line, from dot 247, meets the customer line of its row at
      // dot 1084: 837 dots of room.
      {"company line up to the customer line", SheetType::Aha,
       [](SheetPage& p, const std::string& t) {
         p.settings.company.lines[1] = t;
         p.sheet.CustomerLines[1] = "CLIENT";
       },
       w33, 10},
      {"company line into the customer line", SheetType::Aha,
       [](SheetPage& p, const std::string& t) {
         p.settings.company.lines[1] = t;
         p.sheet.CustomerLines[1] = "CLIENT";
       },
       w34, 9},
      {"company line where the customer has no line", SheetType::Aha,
       [](SheetPage& p, const std::string& t) {
         p.settings.company.lines[1] = t;
         p.sheet.CustomerLines[1].clear();
       },
       w60, 10},
      // Column 1 values start 3.1 cm into the parameters box; column 2's
      // label stands at 6.1 cm: 355 dots of room.
      {"flour up to the mill's label", SheetType::Ahc,
       [](SheetPage& p, const std::string& t) { Edit(p).decoded.Texts.Flour = t; },
       std::string(14, 'W'), 10},
      {"flour into the mill's label", SheetType::Ahc,
       [](SheetPage& p, const std::string& t) { Edit(p).decoded.Texts.Flour = t; },
       std::string(15, 'W'), 9},
      // Column 2 has no row 5: Zeleny's value runs on, up to the results.
      {"Zeleny across the empty cell", SheetType::Ahc,
       [](SheetPage& p, const std::string& t) { Edit(p).decoded.Texts.Zeleny = t; },
       std::string(30, 'W'), 10},
      // The mill's value starts 11.1 cm from the paper's left; the results
      // symbol of its row stands at 13.6 cm: 295 dots.
      {"mill up to the result symbol", SheetType::Ahc,
       [](SheetPage& p, const std::string& t) { Edit(p).decoded.Texts.Mill = t; },
       std::string(11, 'W'), 10},
      {"mill into the result symbol", SheetType::Ahc,
       [](SheetPage& p, const std::string& t) { Edit(p).decoded.Texts.Mill = t; },
       std::string(12, 'W'), 9},
      // A symbol reaches its "=" 1.8 cm (212 dots) further on.
      {"a long W (x) symbol", SheetType::Ahc,
       [](SheetPage& p, const std::string& t) { Edit(p).decoded.Texts.WxText = t.substr(3, 7); },
       "W (1234567)", 7},
  };
  for (const auto& c : cases) {
    SheetPage page = MemoryPage(c.type);
    c.edit(page, c.text);
    const RecordingCanvas canvas = Draw(page);
    const CanvasOp* text = DrawnText(canvas, c.text);
    ASSERT_NE(text, nullptr) << c.what;
    EXPECT_EQ(text->state.fontPoints, c.points) << c.what;
  }
}

TEST(SheetHeader, ColonsAndEqualsSignsKeepTheirSize) {
  // On a "CHA" sheet the H2O value stands 0.2 cm after its "=", and every
  // protocol value 0.1 cm or 0.2 cm after its colon: closer than the model's
  // 25 dots, yet the marks stay at 10 points.
  SheetPage page = MemoryPage(SheetType::Cha, "03150012.505");
  Edit(page).decoded.H2O = 55.125f;
  page.sheet.ProtocolName = "BLE DUR";
  const RecordingCanvas canvas = Draw(page);
  int marks = 0;
  for (const CanvasOp& op : OpsOf(canvas, Kind::Text)) {
    if (op.text != ":" && op.text != "=") continue;
    ++marks;
    EXPECT_EQ(op.state.fontPoints, 10) << op.text << " at " << op.n[0] << "," << op.n[1];
  }
  EXPECT_GT(marks, 20);
}

TEST(SheetHeader, ASmallerTextKeepsTheFootOfItsRowAndTheNextTextIsBackAtTen) {
  const struct {
    std::size_t length;
    int points;
  } cases[] = {{34, 9}, {42, 7}, {200, 6}};
  for (const auto& c : cases) {
    SheetPage page = MemoryPage(SheetType::Aha);
    page.settings.company.lines[1] = std::string(c.length, 'W');
    page.sheet.CustomerLines[1] = "CLIENT";
    const RecordingCanvas canvas = Draw(page);
    const CanvasOp* line = DrawnText(canvas, page.settings.company.lines[1]);
    ASSERT_NE(line, nullptr) << c.length;
    EXPECT_EQ(line->state.fontPoints, c.points) << c.length;
    EXPECT_EQ(line->n[0], 247) << c.length;
    // On the line of its row: its foot where a 10-point line's is.
    const CanvasOp* next = DrawnText(canvas, "VILLE");
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(line->n[1] + line->n[3], next->n[1] - 53 + 50) << c.length;
    if (c.points > 6) {
      EXPECT_LT(line->n[0] + line->n[2], 1084) << c.length;
    }
    EXPECT_EQ(next->state.fontPoints, 10);
    EXPECT_EQ(DrawnText(canvas, "CLIENT")->state.fontPoints, 10);
  }
}

}  // namespace
}  // namespace tesmora
