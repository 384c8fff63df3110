#include "link/copy_window_text.h"

#include "platform/paths.h"

namespace tesmora::link {

std::string FolderShortName(std::string_view folder) {
  if (folder.size() < 4) return std::string(folder);
  std::string_view trimmed = folder;
  if (trimmed.back() == platform::kPathSeparator) trimmed.remove_suffix(1);
  const std::size_t slash = trimmed.rfind(platform::kPathSeparator);
  return std::string(slash == std::string_view::npos ? trimmed : trimmed.substr(slash + 1));
}

std::string ReceiveDirectionText(std::string_view folder) {
  return "KALDIRONE --> '" + FolderShortName(folder) + "'";
}

std::string SendDirectionText(std::string_view folder) {
  return "'" + FolderShortName(folder) + "' --> KALDIRONE";
}

}  // namespace tesmora::link
