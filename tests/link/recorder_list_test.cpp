#include "link/recorder_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "shell/message_table.h"
#include "support/user_locale.h"

namespace tesmora::link {
namespace {

constexpr int kEnglish = 1;

ListEntry Entry(int section, std::string_view bytes) {
  ListEntry entry;
  entry.section = section;
  std::memcpy(entry.bytes.data(), bytes.data(), std::min(bytes.size(), entry.bytes.size()));
  return entry;
}

TEST(RecorderRows, TestFileRowTakesTypeSampleMarkAndDateFromTheEntry) {
  const RecorderRow row = RecorderRowFromEntry(Entry(0, std::string_view("03151234.312\0WHEAT 7\0"
                                                                         "1\0",
                                                                         23)),
                                               kEnglish);
  EXPECT_EQ(row.name, "03151234.312");
  EXPECT_EQ(row.type, "AHA");
  EXPECT_EQ(row.sample, "WHEAT 7");
  EXPECT_EQ(row.degradation, MessageBytes(msg::kYes, kEnglish));
  EXPECT_EQ(row.date, "15/03/12");
  const RecorderRow plain = RecorderRowFromEntry(Entry(0, std::string_view("03151234.312\0WHEAT 7\0"
                                                                           "0\0",
                                                                           23)),
                                                 kEnglish);
  EXPECT_EQ(plain.degradation, MessageBytes(msg::kNo, kEnglish));
}

TEST(RecorderRows, DiskRowTakesExtensionAndDosDate) {
  // 0x5C8F: day 15, month 4, year 1980 + 46.
  const RecorderRow row =
      RecorderRowFromEntry(Entry(1, std::string_view("FLASH.CNF\0\x8F\x5C\0\0", 14)), kEnglish);
  EXPECT_EQ(row.type, "CNF");
  EXPECT_EQ(row.date, "15/04/26");
  EXPECT_EQ(row.sample, "");
  const RecorderRow noDate =
      RecorderRowFromEntry(Entry(2, std::string_view("README\0\x00\x01\0", 10)), kEnglish);
  EXPECT_EQ(noDate.type, "");
  EXPECT_EQ(noDate.date, "");
}

TEST(RecorderRows, DosDatesThatDoNotExistGiveNoText) {
  EXPECT_EQ(DosDateText((46 << 9) | (2 << 5) | 29), "");  // 29/02/2026
  EXPECT_EQ(DosDateText((44 << 9) | (2 << 5) | 29), "29/02/24");
  EXPECT_EQ(DosDateText((46 << 9) | (13 << 5) | 1), "");
}

TEST(RecorderRows, DateColumnSortsByYearMonthDayOnTwoDigitYears) {
  RecorderRow a, b;
  a.date = "01/01/00";
  b.date = "01/01/99";
  EXPECT_EQ(RecorderSortKey(a, 4), "000101");
  EXPECT_TRUE(RecorderRowBefore(a, b, 4, false));
  EXPECT_FALSE(RecorderRowBefore(a, b, 4, true));
  RecorderRow c;
  c.date = "15/03/12";
  EXPECT_EQ(RecorderSortKey(c, 4), "120315");
}

// Samples are code page 850 bytes ("\x90" is "É"), and sort as the user's
// locale orders the letters they stand for.
TEST(RecorderRows, TextColumnsSortInTheUsersLocale) {
  if (!tesmora::testing::LocaleInstalled("en_US.UTF-8")) GTEST_SKIP() << "no en_US.UTF-8";
  const tesmora::testing::UserLocale user("en_US.UTF-8");
  std::vector<RecorderRow> rows(5);
  const char* const samples[] = {"zeta", "\x90mile", "Banana", "", "apple"};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].sample = samples[i];
    rows[i].type = samples[i];
  }
  for (const int column : {1, 2}) {
    SCOPED_TRACE(column);
    RecorderSortState state;
    state.Click(column);
    SortRecorderRows(rows, state);  // descending
    std::vector<std::string> order;
    for (const RecorderRow& row : rows) order.push_back(row.sample);
    EXPECT_EQ(order, (std::vector<std::string>{"zeta", "\x90mile", "Banana", "apple", ""}));
  }
  RecorderRow a, b;
  a.name = "apple.TES";
  b.name = "Banana.TES";
  EXPECT_TRUE(RecorderRowBefore(a, b, 0, false));
  EXPECT_FALSE(RecorderRowBefore(b, a, 0, false));
  // The degradation marks are message texts in their own code page: the
  // French "NON" comes before "OUI", whatever case the locale puts first.
  a.degradation = MessageBytes(msg::kNo, 0);
  b.degradation = MessageBytes(msg::kYes, 0);
  EXPECT_TRUE(RecorderRowBefore(a, b, 3, false));
}

// Each column reads its bytes in one code page, the same to show and to
// sort: the recorder's names, types, samples and dates in 850 (0x90 is 'É',
// 0x82 'é'), the degradation mark in its message's page.
TEST(RecorderRows, EachColumnShowsItsBytesInItsCodePage) {
  const CodePage pages[kRecorderColumns] = {CodePage::Dos850, CodePage::Dos850, CodePage::Dos850,
                                            CodePage::Windows1252, CodePage::Dos850};
  for (int column = 0; column < kRecorderColumns; ++column) {
    EXPECT_EQ(RecorderColumnCodePage(column), pages[column]) << column;
  }
  for (int language = 0; language < 8; ++language) {
    SCOPED_TRACE(language);
    const RecorderRow row{"\x90TUDE.TXT", "TXT", "bl\x82 dur",
                          std::string(MessageBytes(msg::kYes, language)), "15/03/12"};
    EXPECT_EQ(RecorderColumnText(row, 0), "\u00c9TUDE.TXT");
    EXPECT_EQ(RecorderColumnText(row, 1), "TXT");
    EXPECT_EQ(RecorderColumnText(row, 2), "bl\u00e9 dur");
    EXPECT_EQ(RecorderColumnText(row, 3), MessageUtf8(msg::kYes, language));
    EXPECT_EQ(RecorderColumnText(row, 4), "15/03/12");
  }
}

TEST(RecorderRows, FirstClickSortsDescendingTheNextAscending) {
  std::vector<RecorderRow> rows(3);
  rows[0].date = "15/03/12";
  rows[1].date = "01/01/99";
  rows[2].date = "02/01/00";
  RecorderSortState state;
  // Years compare on their two digits: 99 comes after 12 and 00.
  EXPECT_TRUE(state.Click(4));
  SortRecorderRows(rows, state);
  EXPECT_EQ(rows[0].date, "01/01/99");
  EXPECT_EQ(rows[1].date, "15/03/12");
  EXPECT_EQ(rows[2].date, "02/01/00");
  EXPECT_FALSE(state.Click(4));
  SortRecorderRows(rows, state);
  EXPECT_EQ(rows[0].date, "02/01/00");
  EXPECT_EQ(rows[2].date, "01/01/99");
  // Another column keeps its own flag.
  EXPECT_TRUE(state.Click(0));
  EXPECT_FALSE(state.descending[4]);
}

}  // namespace
}  // namespace tesmora::link
