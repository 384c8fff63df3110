#include "platform/file_system.h"

#include "platform/paths.h"

namespace tesmora::platform {

std::optional<DirectoryEntry> FileSystem::Entry(const std::string& folder,
                                                const std::string& name) {
  const auto entries = List(folder);
  if (!entries) return std::nullopt;
  for (const DirectoryEntry& entry : *entries) {
    if (entry.name == name) return entry;
  }
  return std::nullopt;
}

bool SameFolder(FileSystem& fs, std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return false;
  if (WithTrailingSeparator(a) == WithTrailingSeparator(b)) return true;
  const std::optional<FileIdentity> identityA = fs.Identity(std::string(a));
  return identityA && identityA == fs.Identity(std::string(b));
}

}  // namespace tesmora::platform
