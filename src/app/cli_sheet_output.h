#pragma once

#include <string>
#include <vector>

#include "sheet/sheet_data.h"
#include "sheet/sheet_units.h"

namespace tesmora::cli {

// The command line's Qt part: the pages painted into files without a window,
// on Qt's offscreen platform. Each returns false after reporting on standard
// error what could not be written.
bool WriteSheetPdf(const std::string& path, const std::vector<SheetPage>& pages, Resolution dots);
// One PNG per page in `directory`, named after the page's test file; prints
// each path written.
bool WriteSheetPngs(const std::string& directory, const std::vector<SheetPage>& pages,
                    Resolution dots);
// The drawing dump of every page, on A4 paper, its texts measured in the
// fonts the pages print in; `target` "-" is standard output.
bool WriteSheetDump(const std::string& target, const std::vector<SheetPage>& pages,
                    Resolution dots);

}  // namespace tesmora::cli
