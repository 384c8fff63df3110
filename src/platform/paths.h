#pragma once

#include <string>
#include <string_view>

namespace tesmora::platform {

// Folder texts in Tesmora end with this separator, so that a file name can be
// appended to them directly.
inline constexpr char kPathSeparator = '/';

// The directory of the running program, without a trailing separator, or the
// directory named by TESMORA_HOME when that variable is set and not empty.
// Settings, company, list and temporary files live there.
std::string ProgramDirectory();

// The process's working directory, without a trailing separator (except for "/").
std::string CurrentWorkingDirectory();

// folder + name, with one separator between them unless the folder already
// ends with one or is empty.
std::string JoinPath(std::string_view folder, std::string_view name);

// The folder with a separator at its end (an empty folder stays empty).
std::string WithTrailingSeparator(std::string_view folder);

// A path as the folder the command line hands to the exporter (with its
// separator, or "." for a bare name) and the file's name.
struct FolderAndName {
  std::string folder;
  std::string name;
};
FolderAndName SplitPath(std::string_view path);

}  // namespace tesmora::platform
