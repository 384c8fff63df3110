#pragma once

#include <string>
#include <vector>

#include "sheet/sheet_data.h"
#include "sheet/sheet_units.h"

namespace tesmora::ui {

// Sheets written to files with Qt's painting and no window: what the command
// line and the benchmarks do. They need a QGuiApplication (the offscreen
// platform will do) for the fonts.

// One PDF of every page, each on an A4 sheet at that resolution, the
// document titled as the program. False when the file could not be written.
bool WritePagesToPdf(const std::string& path, const std::vector<SheetPage>& pages, Resolution dots);

// One page as a PNG picture of an A4 sheet at that resolution, white paper.
bool WritePageToPng(const std::string& path, const SheetPage& page, Resolution dots);

}  // namespace tesmora::ui
