#include "explorer/pc_list_columns.h"

#include <algorithm>

#include "platform/file_times.h"
#include "records/test_names.h"

namespace tesmora::explorer {

namespace {

struct IconOfType {
  std::string_view type;
  int icon;
};
constexpr std::array<IconOfType, 23> kIcons{{
    {"exe", 0},  {"com", 0},  {"sys", 1},   {"dll", 1},  {"txt", 2},  {"zip", 3},
    {"gz", 3},   {"pdf", 4},  {"doc", 5},   {"xls", 6},  {"mdb", 7},  {"pb", 8},
    {"bat", 9},  {"jpg", 11}, {"jpeg", 11}, {"bmp", 11}, {"tif", 11}, {"tiff", 11},
    {"png", 11}, {"hlp", 14}, {"wav", 15},  {"mp3", 15}, {"wma", 15},
}};
constexpr int kPlainFileIcon = 10;

DateSource DateSourceOf(std::string_view name, bool allFilesMode) {
  if (allFilesMode) return DateSource::LastWriteTime;
  // The export's creation date is its test's date.
  if (FileNameKindOf(name) == FileNameKind::ExportFile) return DateSource::CreationTime;
  return DateSource::FromName;
}

}  // namespace

PcListRow PcListRowOf(const platform::DirectoryEntry& entry, bool allFilesMode) {
  PcListRow row{entry.name, TestTypeLabel(entry.name, allFilesMode), {}, kNoIcon, entry.size};
  std::optional<platform::CalendarDate> fileDate;
  if (entry.modified) fileDate = platform::CalendarDateOf(*entry.modified);
  row.date = TestFileDate(entry.name, DateSourceOf(entry.name, allFilesMode), fileDate);
  if (allFilesMode) row.icon = IconForType(row.type);
  return row;
}

int IconForType(std::string_view type) {
  for (const IconOfType& entry : kIcons) {
    if (entry.type == type) return entry.icon;
  }
  return kPlainFileIcon;
}

std::string DateSortKey(std::string_view date) {
  if (date.size() < 8) return std::string(date);
  std::string key(date.substr(6));
  key += date.substr(3, 2);
  key += date.substr(0, 2);
  return key;
}

}  // namespace tesmora::explorer
