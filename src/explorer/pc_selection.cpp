#include "explorer/pc_selection.h"

#include <algorithm>

#include "records/test_names.h"

namespace tesmora::explorer {

PcSelectionFacts FactsOfPcSelection(const std::vector<std::string>& selectedNames) {
  PcSelectionFacts facts;
  facts.count = static_cast<int>(selectedNames.size());
  // One file that is not a test file is enough to refuse the export.
  facts.allReadAsTests =
      !selectedNames.empty() &&
      std::all_of(selectedNames.begin(), selectedNames.end(),
                  [](const std::string& name) { return ExtensionReadsAsInteger(name); });
  if (!selectedNames.empty()) {
    // The first character of the extension is the test kind; the kinds the
    // records know have a sheet to preview, print and export.
    const std::string& first = selectedNames.front();
    facts.firstIsTestFile = first.size() >= 3 && FindTestKind(first[first.size() - 3]) != nullptr;
  }
  return facts;
}

}  // namespace tesmora::explorer
