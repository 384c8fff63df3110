#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tesmora::platform {

// Profile (INI) files, read and written the way laboratories' existing
// "tesmora.ini" and "societe.txt" files expect:
//  - "[Section]" lines open a section; "key=value" lines inside it hold keys;
//  - section and key names match without regard to letter case, and the first
//    matching section and key win;
//  - blanks around names and values are ignored, and a value wrapped in a pair
//    of matching quotes is read without them;
//  - lines starting with ';' are comments; any other line is kept but ignored;
//  - writing a key changes only that key's line (or adds it at the end of its
//    section, or adds the section at the end of the file) and keeps every other
//    byte of the file, its line ends included (CR LF for a new file).

// Pure text operations, used by the file operations below.
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);
std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value);

// Integer reading of a value: leading decimal digits with an optional sign;
// a value without digits reads as 0 and a negative value as 0.
int ProfileValueToInt(std::string_view value);

// File operations. A file that cannot be read counts as empty.
std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue);
int ReadProfileInt(const std::string& path, std::string_view section, std::string_view key,
                   int defaultValue);

// Writes one key, creating the file and the section when needed. The file is
// replaced atomically. Returns false when the file could not be written.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

// Writes several keys of one section in one atomic replacement of the file.
bool WriteProfileStrings(const std::string& path, std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& keyValues);

}  // namespace tesmora::platform
