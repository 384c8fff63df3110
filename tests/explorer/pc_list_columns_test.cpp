// The PC list from a file system that exists only in memory: every fact a
// row shows comes through the listing, the rows of received files are those
// a fill makes, and each column sorts as its entry in the column table says.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "explorer/pc_list.h"
#include "pc_list_rows.h"
#include "platform/locale.h"
#include "support/memory_file_system.h"
#include "support/user_locale.h"

namespace tesmora::explorer {
namespace {

using namespace std::chrono;
using platform::DirectoryEntry;
using platform::EntryType;

constexpr const char* kLab = "/lab";

DirectoryEntry File(std::string name, std::uint64_t size, std::optional<sys_seconds> modified,
                    EntryType type = EntryType::File) {
  DirectoryEntry entry;
  entry.name = std::move(name);
  entry.type = type;
  entry.size = size;
  entry.modified = modified;
  return entry;
}

sys_seconds Day(year_month_day date, hours hour = hours(12)) { return sys_days(date) + hour; }

class PcListFromMemory : public ::testing::Test {
 protected:
  PcListFromMemory() {
    platform::Drive lab;
    lab.label = "lab";
    lab.mountPoint = kLab;
    lab.selectedAtStart = true;
    fs.drives = {lab};
    fs.folders[kLab] = {};
    tree.Fill(fs);
    node = tree.Selected();
  }
  std::vector<DirectoryEntry>& Lab() { return fs.folders[kLab]; }
  const PcListRow* Row(std::string_view name) const { return testing::RowNamed(list, name); }
  std::vector<std::string> Names() const { return testing::RowNames(list); }
  static std::vector<PcListRow> ByName(std::vector<PcListRow> rows) {
    std::sort(rows.begin(), rows.end(),
              [](const PcListRow& a, const PcListRow& b) { return a.name < b.name; });
    return rows;
  }

  tesmora::testing::UserLocale locale{"C"};
  tesmora::testing::MemoryFileSystem fs;
  FolderTree tree;
  PcList list;
  NodeId node = kNoNode;
};

// Nothing of these files is on any disk: a date the list shows can only
// have come with the listing.
TEST_F(PcListFromMemory, TheListingAloneGivesEveryFactOfARow) {
  Lab() = {
      File("03151022.103", 1234, Day(2011y / June / 1)),
      File("03151022.AHA", 77, Day(2003y / March / 15)),
      File("notes.txt", 5, Day(1999y / July / 4, hours(0))),
      File("old.txt", 9, sys_seconds(seconds(-1))),  // the last second of 1969
      File("gone.txt", 0, std::nullopt),             // its facts could not be read
      File("Sub", 4096, Day(2020y / January / 2), EntryType::Directory),
  };
  list.Fill(tree, node, fs, false);
  EXPECT_EQ(list.CurrentPcFolder(), kLab);
  ASSERT_EQ(list.PcFileCount(), 2);
  EXPECT_EQ(*Row("03151022.103"), (PcListRow{"03151022.103", "AHC", "15/03/03", kNoIcon, 1234}));
  EXPECT_EQ(*Row("03151022.AHA"), (PcListRow{"03151022.AHA", "DB-AHA", "15/03/03", kNoIcon, 77}));

  list.Fill(tree, node, fs, true);
  ASSERT_EQ(list.PcFileCount(), 5);
  EXPECT_EQ(*Row("03151022.103"), (PcListRow{"03151022.103", "103", "01/06/11", 10, 1234}));
  EXPECT_EQ(*Row("notes.txt"), (PcListRow{"notes.txt", "txt", "04/07/99", 2, 5}));
  EXPECT_EQ(Row("old.txt")->date, "31/12/69");
  EXPECT_EQ(Row("gone.txt")->date, "");
  EXPECT_EQ(Row("Sub"), nullptr);
}

// A file the link stores gets the row the next fill would give it, in both
// modes, whether its date comes from its name or from the file.
TEST_F(PcListFromMemory, AReceivedFilesRowIsTheRowAFillGivesIt) {
  const std::vector<DirectoryEntry> stored = {
      File("03151022.103", 400, Day(2024y / May / 6)),
      File("03151022.AHC", 2048, Day(2003y / March / 15)),
      File("12310007.598", 512, Day(2001y / February / 3)),
      File("cliente.txt", 33, Day(2022y / August / 9)),
  };
  for (const bool allFiles : {false, true}) {
    Lab().clear();
    list.Fill(tree, node, fs, allFiles);
    for (const DirectoryEntry& file : stored) {
      if (!allFiles && file.name == "cliente.txt") continue;  // not received in the normal mode
      Lab().push_back(file);
      ASSERT_TRUE(list.AddReceivedFile(fs, std::string(kLab) + "/", file.name, allFiles))
          << file.name;
    }
    const std::vector<PcListRow> received = ByName(list.rows());
    list.Fill(tree, node, fs, allFiles);
    EXPECT_EQ(received, ByName(list.rows())) << "all files: " << allFiles;
    EXPECT_EQ(received.size(), allFiles ? 4u : 3u);
  }
  // A file gone before its row was made keeps what its name tells.
  ASSERT_TRUE(list.AddReceivedFile(fs, kLab, "04011111.203", false));
  EXPECT_EQ(*Row("04011111.203"), (PcListRow{"04011111.203", "AHC", "01/04/03", kNoIcon, 0}));
}

TEST_F(PcListFromMemory, EachColumnSortsByItsKeyInTheTable) {
  // Name, Type and Date each give these rows another order, without ties.
  Lab() = {
      File("05010001.305", 1, std::nullopt),
      File("01020002.199", 1, std::nullopt),
      File("03040003.505", 1, std::nullopt),
      File("02030004.403", 1, std::nullopt),
      File("06150005.AHC", 1, Day(2000y / January / 1)),
  };
  const std::vector<std::vector<std::string>> ascending = {
      {"01020002.199", "02030004.403", "03040003.505", "05010001.305", "06150005.AHC"},
      {"05010001.305", "01020002.199", "03040003.505", "02030004.403", "06150005.AHC"},
      {"06150005.AHC", "02030004.403", "03040003.505", "05010001.305", "01020002.199"},
  };
  ASSERT_EQ(ascending.size(), kPcListColumnCount);
  for (std::size_t column = 0; column < kPcListColumnCount; ++column) {
    const PcListColumn& described = kPcListColumns[column];
    list = PcList();
    list.Fill(tree, node, fs, false);
    EXPECT_EQ(list.sort().column, PcListFillSortColumn());
    // The first click sorts descending, the next one ascending.
    for (const bool descending : {true, false}) {
      list.ClickColumn(static_cast<int>(column));
      const std::vector<PcListRow>& rows = list.rows();
      for (std::size_t i = 1; i < rows.size(); ++i) {
        const int order = platform::CompareTextsForUser(described.sortKey(rows[i - 1]),
                                                        described.sortKey(rows[i]));
        EXPECT_TRUE(descending ? order >= 0 : order <= 0) << "column " << column << " row " << i;
      }
      std::vector<std::string> expected = ascending[column];
      if (descending) std::reverse(expected.begin(), expected.end());
      EXPECT_EQ(Names(), expected) << "column " << column;
    }
  }
  // The fill sorts by Type, ascending.
  list.Fill(tree, node, fs, false);
  EXPECT_EQ(PcListFillSortColumn(), 1);
  EXPECT_EQ(Names(), ascending[1]);
}

}  // namespace
}  // namespace tesmora::explorer
