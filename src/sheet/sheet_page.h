#pragma once

#include "sheet/canvas.h"
#include "sheet/sheet_data.h"
#include "sheet/sheet_units.h"

namespace tesmora {

// The curve area below the header, in dots of the page.
struct GraphGeometry {
  int ContentLeft = 0;
  int ContentRight = 0;
  int GraphTop = 0;
  int GraphHeight = 0;
  int AxisY = 0;       // the horizontal axis
  int AxisLength = 0;  // the vertical axis, drawn upward from AxisY
  // The paper's right and bottom edges: curves are drawn up to them.
  int PaperRight = 0;
  int PaperBottom = 0;
};

GraphGeometry PlaceGraph(Resolution dots, int contentRight, int availableHeight);

// 0.5 for an inflation test whose curves rise above 140 mm or whose lengths
// pass 180 mm, else 1; always 1 for a consistency test.
double PlotScaleOf(const SheetPage& page);

// The legend at the right edge of the curve area: one box per curve of the
// test, the average's box and the half-scale note of an inflation test.
void DrawLegend(Canvas& canvas, const SheetPage& page, Resolution dots, const GraphGeometry& graph,
                double plotScale);

// PrMax plus and minus 7 % as two lines across the curve area.
void DrawPrMaxBand(Canvas& canvas, const SheetPage& page, Resolution dots,
                   const GraphGeometry& graph);

// The whole page: header, legend, PrMax band, axes, ticks, labels and curves.
// `availableHeight` is the paper's height less the bottom margin.
void DrawSheetPage(Canvas& canvas, const SheetPage& page, Resolution dots, int contentRight,
                   int availableHeight);

// A sheet of paper in device dots: its physical size and resolution.
struct PageDevice {
  int width = 0;
  int height = 0;
  Resolution dots;
};

// A4 at 300 dpi, the physical size truncated to whole dots: what the sheets
// are drawn on when no printer says otherwise.
inline constexpr PageDevice kA4At300Dpi{2480, 3507, {300, 300}};

// A4 (210 x 297 mm) at any resolution, truncated to whole dots.
PageDevice A4Page(Resolution dots);

// Draws one prepared page on a device: 2 cm side margins, a 0.5 cm bottom
// margin. This is what the preview, the printer, the PDF writer and the
// command line call for each page.
void DrawPageOnDevice(Canvas& canvas, const SheetPage& page, const PageDevice& device);

}  // namespace tesmora
