#include "link/recorder_list.h"

#include <algorithm>
#include <cstdio>

#include "platform/file_times.h"
#include "platform/locale.h"
#include "records/test_names.h"
#include "shell/code_page.h"
#include "shell/message_table.h"

namespace tesmora::link {

namespace {

constexpr int kDegradationColumn = 3;
constexpr int kDateColumn = 4;

// The zero-terminated text at `offset` of an entry, never past its buffer.
std::string TextAt(const ListEntry& entry, std::size_t offset) {
  std::string text;
  for (std::size_t i = offset; i < entry.bytes.size() && entry.bytes[i] != 0; ++i) {
    text.push_back(static_cast<char>(entry.bytes[i]));
  }
  return text;
}

// Offset of the byte after the n-th zero, or the buffer size.
std::size_t AfterZero(const ListEntry& entry, int n) {
  for (std::size_t i = 0; i < entry.bytes.size(); ++i) {
    if (entry.bytes[i] == 0 && --n == 0) return i + 1;
  }
  return entry.bytes.size();
}

// A column's bytes, as the recorder gave them.
const std::string& ColumnBytes(const RecorderRow& row, int column) {
  switch (column) {
    case 0:
      return row.name;
    case 1:
      return row.type;
    case 2:
      return row.sample;
    case 3:
      return row.degradation;
    default:
      return row.date;
  }
}

}  // namespace

CodePage RecorderColumnCodePage(int column) {
  return column == kDegradationColumn ? MessageCodePage(msg::kYes) : CodePage::Dos850;
}

std::string RecorderColumnText(const RecorderRow& row, int column) {
  return DecodeToUtf8(ColumnBytes(row, column), RecorderColumnCodePage(column));
}

std::string DosDateText(std::uint16_t dosDate) {
  const int day = dosDate & 0x1F;
  const int month = (dosDate >> 5) & 0x0F;
  const int year = 1980 + (dosDate >> 9);
  if (!platform::IsValidDate({year, month, day})) return {};
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%02d", day, month, year % 100);
  return text;
}

RecorderRow RecorderRowFromEntry(const ListEntry& entry, int languageIndex) {
  RecorderRow row;
  row.name = TextAt(entry, 0);
  if (entry.section == 0) {
    row.type = TestTypeLabel(row.name, false);
    row.sample = TextAt(entry, 13);
    // The degradation mark is the byte just before the entry's final zero.
    const std::size_t end = AfterZero(entry, 3) - 1;
    const bool degradation = end >= 1 && end < entry.bytes.size() && entry.bytes[end] == 0 &&
                             entry.bytes[end - 1] == '1';
    row.degradation = MessageBytes(degradation ? msg::kYes : msg::kNo, languageIndex);
    if (row.name.size() >= 12) {
      row.date = TestFileDate({}, row.name, DateSource::FromName);
    }
  } else {
    const std::size_t dot = row.name.find('.');
    if (dot != std::string::npos) row.type = row.name.substr(dot + 1);
    const std::size_t at = row.name.size() + 1;
    if (at + 1 < entry.bytes.size()) {
      row.date =
          DosDateText(static_cast<std::uint16_t>(entry.bytes[at] | entry.bytes[at + 1] << 8));
    }
  }
  return row;
}

std::string RecorderSortKey(const RecorderRow& row, int column) {
  if ((column >= 0 && column < kDateColumn) || row.date.size() < 8) return ColumnBytes(row, column);
  return row.date.substr(6) + row.date.substr(3, 2) + row.date.substr(0, 2);
}

bool RecorderRowBefore(const RecorderRow& a, const RecorderRow& b, int column, bool descending) {
  const std::string ka = RecorderSortKey(a, column);
  const std::string kb = RecorderSortKey(b, column);
  // The date's key is digits, yymmdd: compared as they are.
  if (column < 0 || column >= kDateColumn) return descending ? kb < ka : ka < kb;
  // Texts sort by the letters they stand for in the user's language, not by
  // their code-page bytes.
  const CodePage page = RecorderColumnCodePage(column);
  const int order = platform::CompareTextsForUser(DecodeToUtf8(ka, page), DecodeToUtf8(kb, page));
  return descending ? order > 0 : order < 0;
}

bool RecorderSortState::Click(int clicked) {
  if (clicked < 0 || clicked >= kRecorderColumns) return false;
  column = clicked;
  descending[static_cast<std::size_t>(clicked)] = !descending[static_cast<std::size_t>(clicked)];
  return descending[static_cast<std::size_t>(clicked)];
}

void SortRecorderRows(std::vector<RecorderRow>& rows, const RecorderSortState& state) {
  const bool descending = state.descending[static_cast<std::size_t>(state.column)];
  std::stable_sort(rows.begin(), rows.end(), [&](const RecorderRow& a, const RecorderRow& b) {
    return RecorderRowBefore(a, b, state.column, descending);
  });
}

}  // namespace tesmora::link
