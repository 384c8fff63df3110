#include "platform/file_system.h"

#include "platform/paths.h"

namespace tesmora::platform {

bool SameFolder(FileSystem& fs, std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return false;
  if (WithTrailingSeparator(a) == WithTrailingSeparator(b)) return true;
  const std::optional<FileIdentity> identityA = fs.Identity(std::string(a));
  return identityA && identityA == fs.Identity(std::string(b));
}

}  // namespace tesmora::platform
