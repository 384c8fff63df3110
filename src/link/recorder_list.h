#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_protocol.h"
#include "shell/code_page.h"

// The rows of the recorder list, their sorting and the status texts that go
// with them.
namespace tesmora::link {

// Column order of the recorder list: name, type, sample, degradation, date.
struct RecorderRow {
  std::string name;
  std::string type;
  std::string sample;
  std::string degradation;
  std::string date;
};

inline constexpr int kRecorderCapacity = 200;
inline constexpr int kRecorderColumns = 5;

// The code page a column's bytes are read in, to be shown and to be sorted:
// the recorder writes names, types, samples and dates in DOS code page 850;
// the degradation mark is a message, in that message's own code page.
CodePage RecorderColumnCodePage(int column);
// What a column of the list shows of a row: its bytes read in the column's
// code page, as UTF-8.
std::string RecorderColumnText(const RecorderRow& row, int column);

// The row of a complete list entry. Texts are the recorder's bytes (its
// names are ASCII); message texts come in the language's code page bytes.
RecorderRow RecorderRowFromEntry(const ListEntry& entry, int languageIndex);

// "dd/MM/yy" of an MS-DOS date (day bits 0-4, month 5-8, years since 1980
// from bit 9), or an empty text when it is no real date.
std::string DosDateText(std::uint16_t dosDate);

// The text a column sorts by (the date column as yymmdd).
std::string RecorderSortKey(const RecorderRow& row, int column);
// Whether row a comes before row b when sorting by the column; descending
// reverses the order.
bool RecorderRowBefore(const RecorderRow& a, const RecorderRow& b, int column, bool descending);

// The sort state of the recorder list: the column last clicked and one
// descending flag per column, all clear at start. A click inverts the flag of
// its column before sorting, so the first click sorts in descending order.
struct RecorderSortState {
  int column = 0;
  std::array<bool, kRecorderColumns> descending{};
  // The clicked column becomes the sort column; returns its new direction.
  bool Click(int clicked);
};
void SortRecorderRows(std::vector<RecorderRow>& rows, const RecorderSortState& state);

}  // namespace tesmora::link
