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
    // The kinds the records know have a sheet to preview, print and export;
    // the loader asks the same function, so nothing offered is then refused.
    facts.firstIsTestFile = TestKindOf(selectedNames.front()) != nullptr;
  }
  return facts;
}

}  // namespace tesmora::explorer
