// Transfers between the simulated recorder and the PC pane, and the exports
// the PC list shows: a copy from the recorder into a folder of the tree, a
// paste of PC files to the recorder, a pushed test with its export, the
// manual export over an existing one.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>
#include <filesystem>

#include "explorer/pc_list.h"
#include "fixtures/test_file_writer.h"
#include "pc_window_fixture.h"
#include "platform/posix_file_system.h"
#include "records/test_names.h"
#include "shell/message_table.h"

namespace tesmora::ui {
namespace {

using testing::kWaitMs;
using testing::ReadFile;
using testing::WriteFile;

constexpr const char* kOnRecorder = "03151234.126";

std::string InflationBytes(std::uint32_t seed) {
  const fixtures::Bytes bytes =
      fixtures::BuildInflationFile(fixtures::RealisticInflationTest(seed, '1'));
  return {bytes.begin(), bytes.end()};
}

sim::RecorderContents RecorderWithOneTest() {
  return testing::RecorderWithTests(
      {{kOnRecorder, InflationBytes(1), "WHEAT", false, std::nullopt}});
}

class PcTransfers : public testing::PcPaneWindow {
 protected:
  void StartIdle(bool autoSaveInHome = false) {
    Start(RecorderWithOneTest(), autoSaveInHome);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return LinkIdle() && RecorderList()->topLevelItemCount() == 1; }, kWaitMs))
        << testing::Joined(prompter_.messages());
  }
  QAction* Action(const char* name) { return window_->findChild<QAction*>(name); }
  // Paste from the popup of a list's empty space, the way to paste on a list.
  void PasteOnEmptySpace(QTreeWidget* list) {
    emit list->customContextMenuRequested(QPoint(5, list->viewport()->height() - 5));
    auto* popup = window_->findChild<QMenu*>("PupMnu");
    popup->close();
    ASSERT_TRUE(Action("Coller")->isVisible());
    Action("Coller")->trigger();
  }
  std::vector<std::string> RecorderNames() {
    std::vector<std::string> names;
    for (const sim::RecorderFile& file : (*recorder_)->contents().tests) names.push_back(file.name);
    return names;
  }
};

TEST_F(PcTransfers, ARecorderTestReceivedIntoTheListedFolderJoinsTheList) {
  StartIdle();
  // The entry a drop of recorder rows on a folder calls.
  window_->ReceiveFromRecorder({kOnRecorder}, home_.path() + "/");
  ASSERT_TRUE(QTest::qWaitFor([&] { return Listed(kOnRecorder) && LinkIdle(); }, kWaitMs));
  EXPECT_EQ(ReadFile(home_.File(kOnRecorder)), InflationBytes(1));
  EXPECT_EQ(Names(), std::vector<std::string>{kOnRecorder});
}

TEST_F(PcTransfers, CopyOnTheRecorderListThenPasteOnThePcListReceivesTheFile) {
  StartIdle();
  SelectRows(RecorderList(), {kOnRecorder});
  window_->Edition1Click();
  ASSERT_TRUE(Action("Copier1")->isEnabled());
  Action("Copier1")->trigger();
  // Copying alone transfers nothing.
  EXPECT_FALSE(std::filesystem::exists(home_.File(kOnRecorder)));

  SelectRows(List(), {});
  PasteOnEmptySpace(List());
  ASSERT_TRUE(QTest::qWaitFor([&] { return Listed(kOnRecorder) && LinkIdle(); }, kWaitMs));
  EXPECT_EQ(ReadFile(home_.File(kOnRecorder)), InflationBytes(1));
  // The clipboard is used up by the paste.
  emit List()->customContextMenuRequested(QPoint(5, List()->viewport()->height() - 5));
  window_->findChild<QMenu*>("PupMnu")->close();
  EXPECT_FALSE(Action("Coller")->isVisible());
}

TEST_F(PcTransfers, PcFilesPastedOnTheRecorderSkipWhatIsNoTestAndSayItOnce) {
  const std::string test = "04021235.126";
  WriteFile(home_.File(test), InflationBytes(2));
  // Export files are listed beside the tests but are nothing the recorder reads.
  WriteFile(home_.File(ExportFileName(test)), "export");
  WriteFile(home_.File(ExportFileName(kOnRecorder)), "export");
  StartIdle();
  ASSERT_TRUE(QTest::qWaitFor([&] { return List()->topLevelItemCount() == 3; }, kWaitMs));
  SelectRows(List(), {test, ExportFileName(test), ExportFileName(kOnRecorder)});
  window_->Edition1Click();
  ASSERT_TRUE(Action("Copier1")->isEnabled());
  Action("Copier1")->trigger();

  SelectRows(RecorderList(), {});
  PasteOnEmptySpace(RecorderList());
  ASSERT_TRUE(QTest::qWaitFor([&] { return RecorderNames().size() == 2 && LinkIdle(); }, kWaitMs));
  EXPECT_EQ(RecorderNames(), (std::vector<std::string>{kOnRecorder, test}));
  EXPECT_EQ((*recorder_)->contents().tests[1].bytes, InflationBytes(2));
  EXPECT_EQ(prompter_.messages(),
            std::vector<std::string>{MessageUtf8(msg::kNotRecorderFormat, 1)});
  ASSERT_TRUE(QTest::qWaitFor([&] { return RecorderList()->topLevelItemCount() == 2; }, kWaitMs));
}

TEST_F(PcTransfers, APushedTestAndItsExportJoinTheListOfTheAutomaticSaveFolder) {
  StartIdle(/*autoSaveInHome=*/true);
  Action("ExportAuto")->trigger();
  ASSERT_TRUE(window_->ExportDataMode());
  (*recorder_)->RequestPush(kOnRecorder);
  const std::string exported = ExportFileName(kOnRecorder);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Listed(kOnRecorder) && Listed(exported) && LinkIdle(); },
                              kWaitMs));
  EXPECT_EQ(ReadFile(home_.File(kOnRecorder)), InflationBytes(1));
  EXPECT_FALSE(ReadFile(home_.File(exported)).empty());
  EXPECT_EQ(List()->topLevelItemCount(), 2);
  EXPECT_TRUE(prompter_.messages().empty());
}

// The list's columns are the explorer's column table: its headers and
// widths, and for the rows of a pushed test and its export the texts a fill
// of the folder gives them.
TEST_F(PcTransfers, ReceivedRowsShowTheColumnsAFillWouldShow) {
  StartIdle(/*autoSaveInHome=*/true);
  Action("ExportAuto")->trigger();
  (*recorder_)->RequestPush(kOnRecorder);
  const std::string exported = ExportFileName(kOnRecorder);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Listed(kOnRecorder) && Listed(exported) && LinkIdle(); },
                              kWaitMs));
  const auto& columns = explorer::kPcListColumns;
  ASSERT_EQ(List()->columnCount(), static_cast<int>(columns.size()));
  platform::PosixFileSystem disk;
  for (int column = 0; column < List()->columnCount(); ++column) {
    const explorer::PcListColumn& described = columns[static_cast<std::size_t>(column)];
    EXPECT_EQ(List()->headerItem()->text(column).toStdString(),
              MessageUtf8(described.headerMessage, 1));
    EXPECT_EQ(List()->columnWidth(column), described.width);
    for (int row = 0; row < List()->topLevelItemCount(); ++row) {
      const QTreeWidgetItem* item = List()->topLevelItem(row);
      const auto entry = disk.Entry(home_.path(), item->text(0).toStdString());
      ASSERT_TRUE(entry);
      const auto filled = explorer::RowForEntry(*entry, false);
      ASSERT_TRUE(filled);
      EXPECT_EQ(item->text(column).toStdString(), described.text(*filled)) << entry->name;
    }
  }
}

TEST_F(PcTransfers, ManualExportOverAnExistingExportAsksAndOnlyYesRewritesIt) {
  const std::string test = "04021235.126";
  const std::string exported = home_.File(ExportFileName(test));
  WriteFile(home_.File(test), InflationBytes(2));
  WriteFile(exported, "older export");
  StartIdle();
  ASSERT_TRUE(QTest::qWaitFor([&] { return List()->topLevelItemCount() == 2; }, kWaitMs));
  const auto exportSelected = [&] {
    SelectRows(List(), {test});
    window_->FichierClick();
    ASSERT_TRUE(Action("ExportManuelle")->isEnabled());
    Action("ExportManuelle")->trigger();
  };

  prompter_.Script({PromptAnswer::No});
  exportSelected();
  ASSERT_EQ(prompter_.questions().size(), 1u);
  EXPECT_EQ(prompter_.questions()[0],
            ExportFileName(test) + ". " + MessageUtf8(msg::kReplaceFile, 1));
  EXPECT_EQ(ReadFile(exported), "older export");
  // Nothing was written, so the list keeps its rows and its selection.
  EXPECT_FALSE(Busy());
  ASSERT_EQ(List()->selectedItems().size(), 1);
  EXPECT_EQ(List()->selectedItems()[0]->text(0).toStdString(), test);

  prompter_.Script({PromptAnswer::Yes});
  exportSelected();
  EXPECT_EQ(prompter_.questions().size(), 2u);
  const std::string rewritten = ReadFile(exported);
  EXPECT_NE(rewritten, "older export");
  EXPECT_NE(rewritten.find("\n"), std::string::npos);
  EXPECT_TRUE(prompter_.messages().empty());
  // The list is filled again: the test and its export, nothing twice.
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !Busy() && List()->topLevelItemCount() == 2; }, kWaitMs));
  EXPECT_TRUE(Listed(ExportFileName(test)));
}

}  // namespace
}  // namespace tesmora::ui
