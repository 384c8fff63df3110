#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "shell/message_table.h"

namespace tesmora::explorer {

inline constexpr int kNoIcon = -1;

// One row of the PC list: the texts its columns show, the file-type icon
// (display-all-files mode only) and the facts of its file that a column may
// show.
struct PcListRow {
  std::string name;
  std::string type;
  std::string date;
  int icon = kNoIcon;
  std::uint64_t size = 0;  // bytes
  bool operator==(const PcListRow&) const = default;
};

// The row of a file, listed or received: Type, Date and icon by the rules of
// the mode. In the normal mode a test file's date is read from its name, an
// export file's from the file (its test's date, which the exporter gave it);
// in the display-all-files mode every date comes from the file. Every row of
// the list is made here.
PcListRow PcListRowOf(const platform::DirectoryEntry& entry, bool allFilesMode);

// The icon of a Type text in the display-all-files mode (lower-case
// extensions only; anything else gets the plain file's icon).
int IconForType(std::string_view type);

// The Date text dd/mm/yy as it sorts: yymmdd.
std::string DateSortKey(std::string_view date);

// One column of the PC list. The window, the sort and the rows all read the
// table below; a new column is a new entry there.
struct PcListColumn {
  MessageId headerMessage;
  int width;  // in pixels, as the list first shows it
  std::string (*text)(const PcListRow& row);
  // Compared with the user's locale, case-sensitive.
  std::string (*sortKey)(const PcListRow& row);
  // A fill sorts by this column, ascending (one column has it).
  bool sortsAfterFill = false;
};

inline constexpr std::array kPcListColumns{
    PcListColumn{msg::kNameColumn, 100, [](const PcListRow& row) { return row.name; },
                 [](const PcListRow& row) { return row.name; }},
    PcListColumn{msg::kTypeColumn, 60, [](const PcListRow& row) { return row.type; },
                 [](const PcListRow& row) { return row.type; }, true},
    PcListColumn{msg::kDateColumn, 60, [](const PcListRow& row) { return row.date; },
                 [](const PcListRow& row) { return DateSortKey(row.date); }},
};
inline constexpr std::size_t kPcListColumnCount = kPcListColumns.size();

// The column a fill sorts by.
constexpr int PcListFillSortColumn() {
  for (std::size_t column = 0; column < kPcListColumnCount; ++column) {
    if (kPcListColumns[column].sortsAfterFill) return static_cast<int>(column);
  }
  return 0;
}

static_assert(std::count_if(kPcListColumns.begin(), kPcListColumns.end(),
                            [](const PcListColumn& c) { return c.sortsAfterFill; }) == 1,
              "a fill sorts by one column");

}  // namespace tesmora::explorer
