#include "explorer/pc_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "explorer_fixture.h"
#include "pc_list_rows.h"
#include "platform/file_times.h"

namespace tesmora::explorer {
namespace {

using testing::ExplorerFixture;

class PcListTest : public ExplorerFixture {
 protected:
  void SetUp() override {
    MakeFolder(home + "/Tests");
    tree.Fill(fs);
    tests = tree.FindChild(tree.FindChild(kNoNode, "home"), "Tests");
    folder = home + "/Tests";
  }
  const PcListRow* Row(std::string_view name) const { return testing::RowNamed(list, name); }
  std::vector<std::string> Names() const { return testing::RowNames(list); }
  FolderTree tree;
  PcList list;
  NodeId tests = kNoNode;
  std::string folder;
};

TEST_F(PcListTest, NormalModeListsTestAndExportFilesByTheirNames) {
  struct Case {
    std::string_view name;
    bool listed;
    std::string_view type, date;
  };
  const Case cases[] = {
      {"03151022.103", true, "AHC", "15/03/03"},
      {"03151022.503", true, "CHA", "15/03/03"},
      {"03151022.703", true, "", "15/03/03"},
      {"12310007.198", true, "AHC", "31/12/98"},
      {"03151022.133", false, "", ""},  // character 11 is '3'
      {"0315102A.103", false, "", ""},
      {"03151022.1A3", false, "", ""},
      {"03151022.aha", false, "", ""},
      {"0315102.103", false, "", ""},    // 11 characters
      {"031510222.103", false, "", ""},  // 13 characters
      {"readme.txt", false, "", ""},
  };
  for (const Case& c : cases) MakeFile(folder + "/" + std::string(c.name));
  // A folder with a test file's name is no test file.
  MakeFolder(folder + "/04011111.203");
  MakeFile(folder + "/03151022.AHA");
  ASSERT_TRUE(platform::SetFileCreationDate(folder + "/03151022.AHA", {2003, 3, 15}));
  list.Fill(tree, tests, fs, false);
  for (const Case& c : cases) {
    const PcListRow* row = Row(c.name);
    ASSERT_EQ(row != nullptr, c.listed) << c.name;
    if (!row) continue;
    EXPECT_EQ(row->type, c.type) << c.name;
    EXPECT_EQ(row->date, c.date) << c.name;
    EXPECT_EQ(row->icon, kNoIcon) << c.name;
  }
  EXPECT_EQ(Row("04011111.203"), nullptr);
  ASSERT_NE(Row("03151022.AHA"), nullptr);
  EXPECT_EQ(Row("03151022.AHA")->type, "DB-AHA");
  EXPECT_EQ(Row("03151022.AHA")->date, "15/03/03");
  EXPECT_EQ(list.PcFileCount(), 5);
  EXPECT_EQ(list.CurrentPcFolder(), folder);
  EXPECT_EQ(list.CurrentFolderNode(), tests);
  EXPECT_EQ(tree.Node(tests).state, kNodeOpenFolder);
}

TEST_F(PcListTest, AllFilesModeListsEveryFileWithItsIcon) {
  struct Case {
    std::string_view name;
    std::string_view type;
    int icon;
  };
  const Case cases[] = {
      {"REPORT.PDF", "PDF", 10},  {"report.pdf", "pdf", 4}, {"data.tar.gz", "tar.gz", 10},
      {"README", "", 10},         {"notes.txt", "txt", 2},  {"setup.exe", "exe", 0},
      {"photo.jpeg", "jpeg", 11}, {"song.wma", "wma", 15},  {"03151022.103", "103", 10},
      {".hidden", "hidden", 10},
  };
  for (const Case& c : cases) MakeFile(folder + "/" + std::string(c.name));
  MakeFolder(folder + "/Sub");
  ASSERT_TRUE(platform::SetFileCreationDate(folder + "/README", {1999, 7, 4}));
  list.Fill(tree, tests, fs, true);
  EXPECT_EQ(list.PcFileCount(), static_cast<int>(std::size(cases)));
  for (const Case& c : cases) {
    const PcListRow* row = Row(c.name);
    ASSERT_NE(row, nullptr) << c.name;
    EXPECT_EQ(row->type, c.type) << c.name;
    EXPECT_EQ(row->icon, c.icon) << c.name;
  }
  EXPECT_EQ(Row("README")->date, "04/07/99");
  EXPECT_EQ(Row("Sub"), nullptr);
}

TEST_F(PcListTest, AFillSortsByTypeAndAClickFlipsItsColumn) {
  for (const char* name : {"05010001.305", "01020002.199", "03040003.505", "02030004.103"}) {
    MakeFile(folder + "/" + name);
  }
  list.Fill(tree, tests, fs, false);
  // By Type (AHA, AHC, AHC, CHA), the system's order among equals kept.
  EXPECT_EQ(list.rows().front().type, "AHA");
  EXPECT_EQ(list.rows().back().type, "CHA");
  // The first click on Date sorts descending; 1999 (99) comes last going up.
  list.ClickColumn(2);
  EXPECT_EQ(Names(), (std::vector<std::string>{"01020002.199", "05010001.305", "03040003.505",
                                               "02030004.103"}));
  list.ClickColumn(2);
  EXPECT_EQ(Names(), (std::vector<std::string>{"02030004.103", "03040003.505", "05010001.305",
                                               "01020002.199"}));
  // Right after a fill the first click on Type sorts descending...
  list.Fill(tree, tests, fs, false);
  list.ClickColumn(1);
  EXPECT_EQ(list.rows().front().type, "CHA");
  // ... while the Date flag kept its state (ascending, the next click flips it).
  list.ClickColumn(2);
  EXPECT_TRUE(list.sort().descending[2]);
  EXPECT_EQ(Names().front(), "01020002.199");
}

TEST(PcListSorting, DatesSortByYearMonthDay) {
  EXPECT_EQ(DateSortKey("15/03/03"), "030315");
  EXPECT_EQ(DateSortKey(""), "");
  PcListSort sort;
  sort.column = 2;
  const PcListRow a{"a", "", "31/12/99", kNoIcon}, b{"b", "", "01/01/05", kNoIcon};
  EXPECT_GT(CompareRows(a, b, sort), 0);
  sort.descending[2] = true;
  EXPECT_LT(CompareRows(a, b, sort), 0);
}

TEST_F(PcListTest, ANodeWithoutAFolderListsNothing) {
  MakeFile(folder + "/03151022.103");
  list.Fill(tree, tests, fs, false);
  const NodeId network = tree.FindChild(kNoNode, kNetworkRootText);
  list.Fill(tree, network, fs, false);
  EXPECT_EQ(list.PcFileCount(), 0);
  EXPECT_EQ(tree.Node(tests).state, kNodeFolder);  // the image went back
  std::filesystem::remove_all(folder);
  list.Fill(tree, tests, fs, false);
  EXPECT_EQ(list.PcFileCount(), 0);
}

TEST_F(PcListTest, AReceivedFileIsAddedOnlyWhereTheListShowsItsFolder) {
  list.Fill(tree, tests, fs, false);
  MakeFile(folder + "/03151022.103");
  EXPECT_FALSE(list.AddReceivedFile(fs, home + "/", "03151022.103", false));
  EXPECT_TRUE(list.AddReceivedFile(fs, folder + "/", "03151022.103", false));
  EXPECT_FALSE(list.AddReceivedFile(fs, folder, "03151022.103", false));
  EXPECT_EQ(list.PcFileCount(), 1);
  EXPECT_EQ(list.rows()[0].type, "AHC");
  EXPECT_EQ(list.rows()[0].date, "15/03/03");
  // The folder by another name (a link to it) is the folder listed.
  std::filesystem::create_directory_symlink(folder, home + "/Alias");
  EXPECT_TRUE(list.AddReceivedFile(fs, home + "/Alias/", "03161022.103", false));
  EXPECT_TRUE(list.ShowsFolder(fs, home + "/Tests/../Tests"));
  EXPECT_FALSE(list.ShowsFolder(fs, home));
  EXPECT_TRUE(list.RemoveRow("03151022.103"));
  EXPECT_FALSE(list.RemoveRow("03151022.103"));
  EXPECT_EQ(list.PcFileCount(), 1);
  // A list of no folder shows none.
  list.Fill(tree, tree.FindChild(kNoNode, kNetworkRootText), fs, false);
  EXPECT_FALSE(list.ShowsFolder(fs, folder));
  EXPECT_FALSE(list.AddReceivedFile(fs, "", "03151022.103", false));
}

// A share or a network drive's root shows its files as any folder does, and
// a file stored there joins its list.
TEST_F(PcListTest, AReceivedFileJoinsTheListOfAShareOrANetworkDrive) {
  tree.Expand(tree.FindChild(kNoNode, kNetworkRootText), fs);
  const NodeId data =
      tree.FindChild(tree.FindChild(tree.FindChild(kNoNode, kNetworkRootText), "srv"), "DATA");
  const NodeId drive = tree.FindChild(kNoNode, "net-backup");
  for (const auto& [node, where] : {std::pair{data, share}, std::pair{drive, backup}}) {
    list.Fill(tree, node, fs, false);
    MakeFile(where + "/03151022.103");
    EXPECT_TRUE(list.AddReceivedFile(fs, where + "/", "03151022.103", false)) << where;
    EXPECT_EQ(Names(), std::vector<std::string>{"03151022.103"}) << where;
  }
}

}  // namespace
}  // namespace tesmora::explorer
