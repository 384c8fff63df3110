#include "sheet/sheet_page.h"

#include <algorithm>
#include <cmath>

#include "records/inflation_results.h"
#include "sheet/sheet_curves.h"
#include "sheet/sheet_header.h"

namespace tesmora {

namespace {

constexpr double kFullScaleHeightMm = 140;
constexpr double kFullScaleLengthMm = 180;

}  // namespace

GraphGeometry PlaceGraph(Resolution d, int contentRight, int availableHeight) {
  GraphGeometry g;
  g.ContentLeft = d.X(2);
  g.ContentRight = contentRight;
  g.GraphTop = d.Y(11);
  g.GraphHeight = availableHeight - d.Y(0.9) - g.GraphTop;
  g.AxisY = g.GraphTop + g.GraphHeight;
  g.AxisLength = g.GraphHeight - d.Y(2);
  // The page's margins: 2 cm right of the content, 0.5 cm below the
  // available height (DrawPageOnDevice).
  g.PaperRight = contentRight + d.X(2);
  g.PaperBottom = availableHeight + d.Y(0.5);
  return g;
}

double PlotScaleOf(const SheetPage& page) {
  if (!sheet_curves::IsInflationSheet(page)) return 1;
  const DecodedTest& test = page.test->decoded;
  int maxRaw = 0;
  bool anySample = false;
  for (int k = 0; k < std::clamp(test.CurveCount, 0, kMaxCurves); ++k) {
    const auto& curve = test.Curves[k];
    const int length = CurveLength(curve);
    if (length == 0) continue;
    const int highest = *std::max_element(curve.begin(), curve.begin() + length);
    maxRaw = anySample ? std::max(maxRaw, highest) : highest;
    anySample = true;
  }
  const double maxHeight = anySample ? InflationPressure(test, static_cast<float>(maxRaw)) : 0;
  double maxLength = 0;
  for (const double length : sheet_curves::Abscissae(page.test->sheet)) {
    maxLength = std::max(maxLength, length);
  }
  return maxHeight > kFullScaleHeightMm || std::trunc(maxLength) > kFullScaleLengthMm ? 0.5 : 1;
}

void DrawSheetPage(Canvas& canvas, const SheetPage& page, Resolution dots, int contentRight,
                   int availableHeight) {
  const GraphGeometry graph = PlaceGraph(dots, contentRight, availableHeight);
  const double plotScale = PlotScaleOf(page);
  DrawSheetHeader(canvas, page, dots, contentRight);
  DrawLegend(canvas, page, dots, graph, plotScale);
  if (!sheet_curves::IsInflationSheet(page)) DrawPrMaxBand(canvas, page, dots, graph);
  sheet_curves::DrawAxes(canvas, page, dots, graph, plotScale);
  sheet_curves::DrawCurves(canvas, page, dots, graph, plotScale);
}

PageDevice A4Page(Resolution dots) {
  return {CmToDots(21.0, dots.DpiX), CmToDots(29.7, dots.DpiY), dots};
}

void DrawPageOnDevice(Canvas& canvas, const SheetPage& page, const PageDevice& device) {
  const Resolution& d = device.dots;
  DrawSheetPage(canvas, page, d, device.width - d.X(2), device.height - d.Y(0.5));
}

}  // namespace tesmora
