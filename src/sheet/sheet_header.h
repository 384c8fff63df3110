#pragma once

#include "sheet/canvas.h"
#include "sheet/sheet_data.h"
#include "sheet/sheet_units.h"

namespace tesmora {

// The product name printed at the head of every sheet.
inline constexpr std::string_view kProductName = "KALDIRONE NG";

// The fixed form of a sheet's upper part, from the top margin down to the
// line 11 cm below the top of the paper: title band, company and customer
// boxes, identification band, sample data, results, comments or protocol,
// and the recorder's version text. Changes nothing but the canvas.
void DrawSheetHeader(Canvas& canvas, const SheetPage& page, Resolution dots, int contentRight);

}  // namespace tesmora
