#pragma once

#include <string>
#include <vector>

#include "sheet/sheet_data.h"
#include "sheet/sheet_units.h"

namespace tesmora::cli {

// The command line's Qt part: the pages painted or recorded without a window,
// on Qt's offscreen platform, on A4 paper at `dots`.
enum class SheetOutput {
  Pdf,  // one PDF of every page at `target`
  Png,  // one PNG per page in the folder `target` (made when missing), named
        // after the page's test file
  Ops,  // the drawing dump, its texts measured in the fonts the pages print
        // in; `target` "-" is standard output
};

// Prints each file written. Returns false after reporting on standard error
// what could not be written; when no installed font draws the sheets it says
// which face is missing and writes nothing.
bool WriteSheets(SheetOutput output, const std::string& target, const std::vector<SheetPage>& pages,
                 Resolution dots);

}  // namespace tesmora::cli
