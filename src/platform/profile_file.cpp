#include "platform/profile_file.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "platform/file_io.h"
#include "platform/file_system.h"

namespace tesmora::platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

// One line of the file: its text without the line end, and the line end itself
// ("\r\n", "\n" or nothing for a last line without one).
struct Line {
  std::string_view text;
  std::string_view end;
};

std::vector<Line> SplitLines(std::string_view content) {
  std::vector<Line> lines;
  while (!content.empty()) {
    const std::size_t nl = content.find('\n');
    if (nl == std::string_view::npos) {
      lines.push_back({content, {}});
      break;
    }
    std::size_t textEnd = nl;
    if (textEnd > 0 && content[textEnd - 1] == '\r') --textEnd;
    lines.push_back({content.substr(0, textEnd), content.substr(textEnd, nl + 1 - textEnd)});
    content.remove_prefix(nl + 1);
  }
  return lines;
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  std::string_view name;   // section or key name
  std::string_view value;  // key value, trimmed, quotes still on
};

ParsedLine Parse(std::string_view text) {
  // A file saved as UTF-8 by a Windows editor starts with a byte order mark;
  // it must not hide the first section.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    text.remove_prefix(kByteOrderMark.size());
  const std::string_view s = Trim(text);
  if (s.empty() || s.front() == ';') return {};
  if (s.front() == '[') {
    std::string_view name = s.substr(1);
    if (const std::size_t close = name.find(']'); close != std::string_view::npos) {
      name = name.substr(0, close);
    }
    return {LineKind::Section, Trim(name), {}};
  }
  const std::size_t eq = s.find('=');
  if (eq == std::string_view::npos) return {};
  return {LineKind::Key, Trim(s.substr(0, eq)), Trim(s.substr(eq + 1))};
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string_view LineEndStyle(std::string_view content) {
  const std::size_t nl = content.find('\n');
  if (nl != std::string_view::npos && (nl == 0 || content[nl - 1] != '\r')) return "\n";
  return "\r\n";
}

// A value must stay on its line: line breaks inside it would turn its tail
// into lines of their own and corrupt the file.
std::string SingleLine(std::string_view value) {
  std::string clean(value);
  std::replace_if(
      clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return clean;
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
  bool inSection = false;
  bool seenSection = false;
  for (const Line& line : SplitLines(text)) {
    const ParsedLine parsed = Parse(line.text);
    if (parsed.kind == LineKind::Section) {
      if (seenSection && inSection) return std::nullopt;  // only the first match counts
      inSection = SameName(parsed.name, section);
      seenSection = seenSection || inSection;
    } else if (parsed.kind == LineKind::Key && inSection && SameName(parsed.name, key)) {
      return std::string(Unquote(parsed.value));
    }
  }
  return std::nullopt;
}

std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value) {
  const std::vector<Line> lines = SplitLines(text);
  const std::string_view eol = LineEndStyle(text);
  const std::string keyLine = std::string(key) + "=" + SingleLine(value);

  // Locate the first matching section, the key in it and its last non-blank line.
  std::ptrdiff_t sectionLine = -1, lastLineOfSection = -1, keyIndex = -1;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ParsedLine parsed = Parse(lines[i].text);
    if (parsed.kind == LineKind::Section) {
      if (sectionLine >= 0) break;
      if (SameName(parsed.name, section))
        sectionLine = lastLineOfSection = static_cast<std::ptrdiff_t>(i);
      continue;
    }
    if (sectionLine < 0) continue;
    if (!Trim(lines[i].text).empty()) lastLineOfSection = static_cast<std::ptrdiff_t>(i);
    if (parsed.kind == LineKind::Key && keyIndex < 0 && SameName(parsed.name, key)) {
      keyIndex = static_cast<std::ptrdiff_t>(i);
    }
  }

  std::string out;
  out.reserve(text.size() + keyLine.size() + section.size() + 8);
  auto appendLine = [&](std::string_view lineText, std::string_view end) {
    out += lineText;
    out += end;
  };

  if (sectionLine < 0) {
    for (const Line& line : lines) appendLine(line.text, line.end.empty() ? eol : line.end);
    out += '[';
    out += section;
    out += ']';
    out += eol;
    appendLine(keyLine, eol);
    return out;
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto index = static_cast<std::ptrdiff_t>(i);
    if (index == keyIndex) {
      appendLine(keyLine, lines[i].end);
      continue;
    }
    const bool insertAfter = keyIndex < 0 && index == lastLineOfSection;
    appendLine(lines[i].text, insertAfter && lines[i].end.empty() ? eol : lines[i].end);
    if (insertAfter) appendLine(keyLine, eol);
  }
  return out;
}

int ProfileValueToInt(std::string_view value) {
  value = Trim(value);
  bool negative = false;
  if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
    negative = value.front() == '-';
    value.remove_prefix(1);
  }
  long long number = 0;
  for (const char c : value) {
    if (c < '0' || c > '9') break;
    number = std::min<long long>(number * 10 + (c - '0'), INT_MAX);
  }
  return negative ? 0 : static_cast<int>(number);
}

namespace {

std::optional<std::string> ReadProfileValue(const std::string& path, std::string_view section,
                                            std::string_view key) {
  const std::optional<std::string> content = ReadWholeFile(path);
  return content ? FindProfileValue(*content, section, key) : std::nullopt;
}

}  // namespace

std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue) {
  return ReadProfileValue(path, section, key).value_or(std::string(defaultValue));
}

int ReadProfileInt(const std::string& path, std::string_view section, std::string_view key,
                   int defaultValue) {
  const std::optional<std::string> value = ReadProfileValue(path, section, key);
  return value ? ProfileValueToInt(*value) : defaultValue;
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
  return WriteProfileStrings(path, section, {{std::string(key), std::string(value)}});
}

bool WriteProfileStrings(const std::string& path, std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& keyValues) {
  std::optional<std::string> existing = ReadWholeFile(path);
  // A file that exists but cannot be read is left alone: writing our keys
  // alone would throw away every other line of it.
  if (!existing && FileExists(path)) return false;
  std::string content = existing.value_or(std::string());
  for (const auto& [key, value] : keyValues)
    content = SetProfileValue(content, section, key, value);
  // The settings and the company lines are the program's own: a write
  // replaces them.
  return WriteWholeFile(LocalFileSystem(), path, content, OverwritePolicy::Always,
                        Durability::Precious) == FsStatus::Ok;
}

}  // namespace tesmora::platform
