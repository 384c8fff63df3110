#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "explorer/pc_list.h"

namespace tesmora::explorer::testing {

// The row of that name, or null when the list has none.
inline const PcListRow* RowNamed(const PcList& list, std::string_view name) {
  const auto& rows = list.rows();
  const auto it =
      std::find_if(rows.begin(), rows.end(), [&](const PcListRow& r) { return r.name == name; });
  return it == rows.end() ? nullptr : &*it;
}

// The names of the rows in list order.
inline std::vector<std::string> RowNames(const PcList& list) {
  std::vector<std::string> names;
  for (const PcListRow& row : list.rows()) names.push_back(row.name);
  return names;
}

}  // namespace tesmora::explorer::testing
