#pragma once

#include <functional>
#include <string>
#include <vector>

#include "explorer/operation_context.h"
#include "records/exporter.h"

namespace tesmora::explorer {

// Exports directory/testName under its export name, whose file it replaces
// or keeps as `overwrite` says: Ok when it was written, Exists when a file
// of that name was kept. Any other failure reports itself.
using ExportOneFile =
    std::function<platform::FsStatus(const std::string& directory, const std::string& testName,
                                     platform::OverwritePolicy overwrite)>;

// The exporter as the manual export runs it: its failures are shown in
// error boxes (caption "Tesmora"). The exporter and the prompter must
// outlive the function returned.
ExportOneFile ExportThrough(Exporter& exporter, ExportSettings settings, Prompter& prompter,
                            LanguageState language);

// The manual export of the PC list's selected test files into `directory`
// (the selected folder, ending with a separator): an existing export is asked
// about (No and Cancel skip that file only; the next is asked again). Returns
// the export names written; the caller then fills the list again.
std::vector<std::string> ExportSelectedFiles(const OperationContext& context,
                                             const std::string& directory,
                                             const std::vector<std::string>& selectedNames,
                                             const ExportOneFile& exportOne);

}  // namespace tesmora::explorer
