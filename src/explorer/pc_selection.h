#pragma once

#include <string>
#include <vector>

#include "shell/main_window_rules.h"

namespace tesmora::explorer {

// The facts the menus need of the PC list's selected names, in list order.
PcSelectionFacts FactsOfPcSelection(const std::vector<std::string>& selectedNames);

}  // namespace tesmora::explorer
