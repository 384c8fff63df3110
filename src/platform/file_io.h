#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tesmora::platform {

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Whether anything (file, folder, device) exists under this path.
bool FileExists(const std::string& path);

// Replaces (or creates) the file with exactly these bytes. The bytes go to a
// temporary file in the same folder, which is flushed to disk and then renamed
// over the target: a crash or a full disk leaves either the old file or the new
// one, never a truncated mix. An existing file keeps its permission bits.
// Returns false, leaving the old file untouched, when anything fails.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace tesmora::platform
