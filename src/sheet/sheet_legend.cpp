#include <algorithm>
#include <cmath>

#include "sheet/sheet_curves.h"
#include "sheet/sheet_page.h"
#include "shell/message_table.h"

namespace tesmora {

namespace {

constexpr int kLegendPoints = 12;
constexpr std::string_view kHalfScaleLimit = "P>140mm";
constexpr int kAverageBox = 5;

}  // namespace

void DrawLegend(Canvas& canvas, const SheetPage& page, Resolution d, const GraphGeometry& g,
                double plotScale) {
  const int boxWidth = d.X(0.5);
  const int boxHeight = d.Y(0.5);
  const int left = g.ContentRight - boxWidth;
  const auto box = [&](int i) {
    const int top = g.GraphTop + boxHeight + 2 * i * boxHeight;
    return DotRect{left, top, left + boxWidth, top + boxHeight};
  };
  // A text 0.5 cm left of box i, centred on it vertically.
  const auto label = [&](int i, std::string_view text) {
    const DotRect b = box(i);
    const int height = canvas.TextExtent(text).height;
    canvas.Text(b.left - boxWidth, b.top + boxHeight / 2 - height / 2, text);
  };
  canvas.SetPen(kBlack, d.DpiX / 96);

  const DecodedTest& test = page.test->decoded;
  const int curves = std::clamp(test.CurveCount, 0, kMaxCurves);
  for (int k = 1; k <= curves; ++k) {
    const Rgb colour = sheet_curves::CurveColour(k);
    canvas.SetBrush(test.CurveEnabled[k - 1] ? colour : kWhite);
    canvas.Rectangle(box(k - 1), true);
    canvas.SetBrush(kWhite);
    canvas.SetFont(kLegendPoints, FontWeight::Bold, colour);
    label(k - 1, std::string(1, static_cast<char>('0' + k)));
    canvas.SetFont(kLegendPoints, FontWeight::Normal, colour);
  }

  if (sheet_curves::IsInflationSheet(page)) {
    canvas.SetFont(kLegendPoints, FontWeight::Bold, kBlack);
    canvas.Rectangle(box(kAverageBox), true);
    label(kAverageBox, "M");
    if (plotScale != 1) {
      const std::string note =
          MessageUtf8(msg::kHalfScale, page.settings.languageIndex) + std::string(kHalfScaleLimit);
      const TextSize size = canvas.TextExtent(note);
      const int y = g.GraphTop +
                    static_cast<int>(std::trunc(7.5 * boxHeight + (boxHeight - size.height) / 2.0));
      canvas.Text(box(kAverageBox).left - d.X(1.5) - size.width, y, note);
    }
  }
  canvas.SetFont(kLegendPoints, FontWeight::Normal, kBlack);
  canvas.SetPen(kBlack, d.DpiX / 96);
}

void DrawPrMaxBand(Canvas& canvas, const SheetPage& page, Resolution d, const GraphGeometry& g) {
  const double p = page.test->decoded.PrMax;
  for (const double limit : {p + 0.07 * p, p - 0.07 * p}) {
    const int y = g.AxisY - d.Y(limit * 0.003);
    canvas.Line(g.ContentLeft, y, g.ContentRight, y);
  }
}

}  // namespace tesmora
