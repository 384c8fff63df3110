#pragma once

#include <string>
#include <string_view>
#include <vector>

// Name lists: file names, each followed by one zero character. The transfer
// queues keep their names this way.
namespace tesmora::link {

std::string_view FirstName(std::string_view list);
void RemoveFirstName(std::string& list);
void AppendName(std::string& list, std::string_view name);
std::vector<std::string> NamesOf(std::string_view list);

}  // namespace tesmora::link
