#include "records/test_names.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/paths.h"

namespace tesmora {

namespace {

using enum TestFamily;
using enum SheetType;

constexpr std::array<TestKind, 6> kKinds{{
    // digit, family, sheet, type, export, titles, protocol, hydration
    {'1', Inflation, Ahc, "AHC", "AHC", msg::kDoxelCh, msg::kDoxelCh, false, false},
    {'2', Inflation, Ahc, "AHC", "AHC", msg::kDoxelCh, msg::kDoxelCh, false, false},
    {'3', Inflation, Aha, "AHA", "AHA", msg::kDoxelAh, msg::kDoxelAh, true, true},
    {'4', Consistency, Chc, "CHC", "CC2", msg::kTerbalisChTest, msg::kTerbalisCh, true, false},
    {'5', Consistency, Cha, "CHA", "CA2", msg::kTerbalisAh, msg::kTerbalisAh, true, false},
    {'6', Inflation, Aha, "AHA", "AHA", msg::kDoxelAh, msg::kDoxelAh, true, false},
}};

// Characters `first` to `first + count - 1` (zero-based) of a name, cut short
// where the name ends.
std::string_view Chars(std::string_view name, std::size_t first, std::size_t count) {
  return first < name.size() ? name.substr(first, count) : std::string_view();
}

// Characters 11 and 12: the year of a test.
std::string_view YearOf(std::string_view name) { return Chars(name, kKindDigitPosition + 1, 2); }

std::optional<int> TwoDigits(std::string_view text) {
  if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') {
    return std::nullopt;
  }
  return (text[0] - '0') * 10 + (text[1] - '0');
}

std::string FormatDate(const platform::CalendarDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%02d", date.day % 100, date.month % 100,
                date.year % 100);
  return text;
}

}  // namespace

const TestKind* FindTestKind(char kindDigit) {
  for (const TestKind& kind : kKinds) {
    if (kind.digit == kindDigit) return &kind;
  }
  return nullptr;
}

bool IsConsistencyKind(char kindDigit) {
  const TestKind* kind = FindTestKind(kindDigit);
  return kind != nullptr && kind->family == TestFamily::Consistency;
}

char KindDigitOf(std::string_view name) {
  return name.size() > kKindDigitPosition ? name[kKindDigitPosition] : '\0';
}

const TestKind* TestKindOf(std::string_view name) { return FindTestKind(KindDigitOf(name)); }

std::string_view ExtensionOf(std::string_view name) {
  return Chars(name, kKindDigitPosition, kExtensionLength);
}

bool ReadsAsInteger(std::string_view text) {
  const std::size_t firstNonBlank = text.find_first_not_of(' ');
  if (firstNonBlank == std::string_view::npos) return false;
  text.remove_prefix(firstNonBlank);
  if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool ExtensionReadsAsInteger(std::string_view name) { return ReadsAsInteger(ExtensionOf(name)); }

FileNameKind FileNameKindOf(std::string_view name) {
  if (name.size() != kTestFileNameLength) return FileNameKind::Other;
  const std::string_view extension = ExtensionOf(name);
  const char yearDigit = extension[1];
  if (yearDigit == '0' || yearDigit == '1' || yearDigit == '2' || yearDigit == '9') {
    return ReadsAsInteger(extension) && ReadsAsInteger(name.substr(0, 8)) ? FileNameKind::TestFile
                                                                          : FileNameKind::Other;
  }
  for (const TestKind& kind : kKinds) {
    if (kind.exportCode == extension) return FileNameKind::ExportFile;
  }
  return FileNameKind::Other;
}

std::string TestTypeLabel(std::string_view name, bool allFilesMode) {
  if (allFilesMode) {
    const std::size_t dot = name.find('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
  }
  if (const TestKind* kind = FindTestKind(KindDigitOf(name))) return std::string(kind->typeCode);
  const std::string_view extension = ExtensionOf(name);
  for (const TestKind& kind : kKinds) {
    if (kind.exportCode == extension) return "DB-" + std::string(kind.typeCode);
  }
  return {};
}

std::string TestFileDate(std::string_view folder, std::string_view name, DateSource mode) {
  if (mode == DateSource::FromName) return TestFileDate(name, mode, std::nullopt);
  const auto kind = mode == DateSource::CreationTime ? platform::FileTimeKind::Creation
                                                     : platform::FileTimeKind::LastWrite;
  return TestFileDate(name, mode, platform::ReadFileDate(platform::JoinPath(folder, name), kind));
}

std::string TestFileDate(std::string_view name, DateSource mode,
                         const std::optional<platform::CalendarDate>& fileDate) {
  if (mode == DateSource::FromName) {
    std::string date(Chars(name, 2, 2));
    date += '/';
    date += Chars(name, 0, 2);
    date += '/';
    date += YearOf(name);
    return date;
  }
  return fileDate ? FormatDate(*fileDate) : std::string();
}

std::optional<platform::CalendarDate> TestDateFromName(std::string_view name) {
  const std::optional<int> month = TwoDigits(Chars(name, 0, 2));
  const std::optional<int> day = TwoDigits(Chars(name, 2, 2));
  const std::string_view yearText = YearOf(name);
  const std::optional<int> year = TwoDigits(yearText);
  if (!month || !day || !year) return std::nullopt;
  const platform::CalendarDate date{(yearText >= "95" ? 1900 : 2000) + *year, *month, *day};
  if (!platform::IsValidDate(date)) return std::nullopt;
  return date;
}

std::string ExportFileName(std::string_view testName) {
  std::string name(Chars(testName, 0, kKindDigitPosition));
  if (const TestKind* kind = FindTestKind(KindDigitOf(testName))) name += kind->exportCode;
  return name;
}

}  // namespace tesmora
