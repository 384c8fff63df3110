#include "shell/copy_window_texts.h"

#include "platform/paths.h"

namespace tesmora {

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

std::string CopyDirectionText(CopyDirection direction, std::string_view folder) {
  switch (direction) {
    case CopyDirection::FromRecorder:
      return ReceiveDirectionText(folder);
    case CopyDirection::ToRecorder:
      return SendDirectionText(folder);
    case CopyDirection::None:
      break;
  }
  return {};
}

int ProgramProgressSteps(std::uint32_t sent, std::uint32_t count) {
  if (count == 0 || sent == 0 || sent > count) return 0;
  const auto position = [count](std::uint64_t bytes) { return bytes * 100 / count; };
  return static_cast<int>(position(sent) - position(sent - 1));
}

}  // namespace tesmora
