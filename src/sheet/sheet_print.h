#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sheet/sheet_units.h"

namespace tesmora {

// What printing and the preview decide without a window.

// The sheet window's printer line: the printer's name, then its printable
// area in whole millimetres, "NAME ( 203mm x288 mm )" (no blank after the x,
// as the program has always written it).
std::string PrinterLineText(std::string_view printerName, int printableWidthDots,
                            int printableHeightDots, Resolution dots,
                            std::string_view decimalSeparator);

// The pages a print job draws, as 0-based indexes into the prepared pages, in
// the order they go to the printer: pages `firstPage` to `lastPage` (1-based,
// both included; 0 for either means from the first or to the last), held to
// the pages there are, `copies` times, each page repeated in a row unless
// `collate`. Copies the printer makes itself are not repeated here: pass 1.
std::vector<int> PrintOrder(int pageCount, int firstPage, int lastPage, int copies, bool collate);

}  // namespace tesmora
