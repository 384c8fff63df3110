#include "platform/paths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

namespace tesmora::platform {

namespace {

std::string DirectoryOf(const std::string& path) {
  const auto cut = path.find_last_of(kPathSeparator);
  if (cut == std::string::npos) return ".";
  if (cut == 0) return std::string(1, kPathSeparator);
  return path.substr(0, cut);
}

std::string ExecutablePath() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string ProgramDirectory() {
  if (const char* home = std::getenv("TESMORA_HOME"); home != nullptr && *home != '\0') {
    std::string dir = home;
    while (dir.size() > 1 && dir.back() == kPathSeparator) dir.pop_back();
    return dir;
  }
  const std::string exe = ExecutablePath();
  if (exe.empty()) return CurrentWorkingDirectory();
  return DirectoryOf(exe);
}

std::string CurrentWorkingDirectory() {
  std::vector<char> buffer(4096);
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size()) != nullptr) return std::string(buffer.data());
    if (errno != ERANGE) return ".";
    buffer.resize(buffer.size() * 2);
  }
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != kPathSeparator) path += kPathSeparator;
  path += name;
  return path;
}

FolderAndName SplitPath(std::string_view path) {
  const std::size_t slash = path.find_last_of(kPathSeparator);
  if (slash == std::string_view::npos) return {".", std::string(path)};
  return {std::string(path.substr(0, slash + 1)), std::string(path.substr(slash + 1))};
}

std::string WithTrailingSeparator(std::string_view folder) {
  std::string path(folder);
  if (!path.empty() && path.back() != kPathSeparator) path += kPathSeparator;
  return path;
}

}  // namespace tesmora::platform
