#include "sheet/recording_canvas.h"

#include <gtest/gtest.h>

namespace tesmora {
namespace {

const FixedTextMetrics kModel;

TEST(RecordingCanvas, DumpsOneLinePerCallInTheDumpFormat) {
  RecordingCanvas canvas(kModel);
  canvas.BeginPage(2480, 3507, {300, 300});
  canvas.SetPen(Rgb::FromColorRef(32768), 3);
  canvas.SetBrush(kWhite);
  canvas.SetFont(12, FontWeight::Bold, Rgb::FromColorRef(8388736));
  canvas.TextExtent("MERVIC");
  canvas.Line(1, 2, 3, 4);
  canvas.Rectangle({10, 20, 30, 40}, true);
  canvas.Rectangle({10, 20, 30, 40}, false);
  canvas.RoundRectangle({236, 165, 1062, 401}, 59, 59);
  canvas.Text(5, 6, "Température 20,5 °C");
  canvas.Text(7, 8, "two\nlines");
  canvas.Picture({1, 2, 3, 4});
  EXPECT_EQ(canvas.Dump(),
            "page 2480 3507 300 300\n"
            "pen #008000 3\n"
            "brush #ffffff\n"
            "font 12 bold #800080\n"
            "extent 180 60 MERVIC\n"
            "line 1 2 3 4\n"
            "rect 10 20 30 40 outline\n"
            "rect 10 20 30 40 nooutline\n"
            "roundrect 236 165 1062 401 59 59\n"
            "text 5 6 570 60 Température 20,5 °C\n"
            "text 7 8 270 60 two lines\n"
            "picture 1 2 3 4\n");
}

TEST(FixedTextMetrics, ExtentsFollowTheSizeAndTheResolution) {
  RecordingCanvas canvas(kModel);
  const struct {
    int dpiX, dpiY, points;
    TextSize oneChar;
  } cases[] = {{300, 300, 10, {25, 50}},
               {300, 300, 14, {35, 70}},
               {600, 600, 12, {60, 120}},
               {600, 300, 10, {50, 50}}};
  for (const auto& c : cases) {
    canvas.BeginPage(100, 100, {c.dpiX, c.dpiY});
    canvas.SetFont(c.points, FontWeight::Normal, kBlack);
    EXPECT_EQ(canvas.TextExtent("é"), c.oneChar);
    EXPECT_EQ(canvas.TextExtent("abc").width, 3 * c.oneChar.width);
    EXPECT_EQ(canvas.TextExtent("").width, 0);
  }
}

TEST(RecordingCanvas, EachCallKeepsThePenBrushAndFontInForce) {
  RecordingCanvas canvas(kModel);
  canvas.BeginPage(100, 100, {300, 300});
  canvas.SetPen(Rgb::FromColorRef(255), 3);
  canvas.SetFont(12, FontWeight::Bold, kBlack);
  canvas.Line(0, 0, 1, 1);
  const CanvasOp& line = canvas.ops().back();
  EXPECT_EQ(line.state.pen, (Rgb{255, 0, 0}));
  EXPECT_EQ(line.state.penWidth, 3);
  EXPECT_EQ(line.state.fontWeight, FontWeight::Bold);
  EXPECT_EQ(line.state.fontPoints, 12);
}

}  // namespace
}  // namespace tesmora
