#pragma once

#include "sheet/canvas.h"
#include "sheet/sheet_data.h"
#include "sheet/sheet_page.h"

#include <vector>

// Steps of DrawSheetPage below the legend (internal to the sheet layer).
namespace tesmora::sheet_curves {

// The colour of curve k (1 to 5).
Rgb CurveColour(int k);

// The abscissa of each sample index (length in mm or time in s): the row
// texts the export left, as numbers, up to the "-1" that ends them.
std::vector<double> Abscissae(const SheetTables& tables);

// Whether the page is an inflation sheet.
bool IsInflationSheet(const SheetPage& page);

// Axes with their ticks, labels and titles.
void DrawAxes(Canvas& canvas, const SheetPage& page, Resolution dots, const GraphGeometry& graph,
              double plotScale);

// The validated curves, and the average of an inflation test with two or
// more validated curves.
void DrawCurves(Canvas& canvas, const SheetPage& page, Resolution dots, const GraphGeometry& graph,
                double plotScale);

}  // namespace tesmora::sheet_curves
