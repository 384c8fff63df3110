#include "link/name_list.h"

#include <algorithm>

namespace tesmora::link {

std::string_view FirstName(std::string_view list) { return list.substr(0, list.find('\0')); }

void RemoveFirstName(std::string& list) {
  const std::size_t end = list.find('\0');
  list.erase(0, end == std::string::npos ? list.size() : end + 1);
}

void AppendName(std::string& list, std::string_view name) {
  list.append(name);
  list.push_back('\0');
}

std::vector<std::string> NamesOf(std::string_view list) {
  std::vector<std::string> names;
  while (!list.empty()) {
    const std::string_view name = FirstName(list);
    names.emplace_back(name);
    list.remove_prefix(std::min(list.size(), name.size() + 1));
  }
  return names;
}

}  // namespace tesmora::link
