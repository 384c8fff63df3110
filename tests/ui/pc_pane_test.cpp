// The PC pane of the main window on a folder of the test's own: the list of
// a folder, a new folder and deleting it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "pc_window_fixture.h"
#include "shell/message_table.h"

namespace tesmora::ui {
namespace {

using testing::kWaitMs;
using testing::WhenIdle;
using testing::WriteFile;

using PcPaneWindow = testing::PcPaneWindow;

sim::RecorderContents OneTest() {
  sim::RecorderContents contents;
  sim::RecorderFile file;
  file.name = "03151234.312";
  file.bytes = std::string(400, '2');
  file.sample = "WHEAT";
  contents.tests = {file};
  contents.flashLetter = 'E';
  return contents;
}

TEST_F(PcPaneWindow, TheHomeFolderIsSelectedAndItsTestsListed) {
  WriteFile(home_.File("03151234.312"), std::string(400, '2'));
  WriteFile(home_.File("03151234.AHC"), "export");
  WriteFile(home_.File("notes.txt"), "not a test");
  std::filesystem::create_directory(home_.File("Week 11"));
  Start(OneTest());
  ASSERT_TRUE(QTest::qWaitFor([&] { return List()->topLevelItemCount() == 2; }, kWaitMs));
  // Sorted by Type after the fill; the folder is no row.
  EXPECT_EQ(Names().size(), 2u);
  EXPECT_EQ(window_->statusPanelText(4).toStdString(), "2" + MessageUtf8(msg::kFilesListed, 1));
  QTreeWidgetItem* home = Tree()->currentItem();
  ASSERT_NE(home, nullptr);
  ASSERT_EQ(home->childCount(), 1);
  EXPECT_EQ(home->child(0)->text(0), "Week 11");

  // A column click re-sorts the rows present, by name descending first.
  const std::vector<std::string> before = Names();
  emit List()->header()->sectionClicked(0);
  std::vector<std::string> descending = before;
  std::sort(descending.rbegin(), descending.rend());
  EXPECT_EQ(Names(), descending);
}

TEST_F(PcPaneWindow, NewFolderJoinsTheTreeAndDeleteRemovesItWithItsFiles) {
  Start(OneTest());
  FocusTree();
  auto* dialog = window_->findChild<QDialog*>("FenNewRep");
  ASSERT_NE(dialog, nullptr);
  WhenIdle([dialog] {
    dialog->findChild<QLineEdit*>("zeNewRep")->setText("Week 12");
    dialog->findChild<QPushButton*>("bbOK")->click();
  });
  window_->FichierClick();
  ASSERT_TRUE(window_->findChild<QAction*>("NewRep")->isEnabled());
  window_->findChild<QAction*>("NewRep")->trigger();
  const std::string created = home_.File("Week 12");
  ASSERT_TRUE(std::filesystem::is_directory(created));
  QTreeWidgetItem* home = Tree()->currentItem();
  ASSERT_EQ(home->childCount(), 1);
  EXPECT_EQ(home->child(0)->text(0), "Week 12");

  WriteFile(created + "/03151234.312", "x");
  Tree()->setCurrentItem(home->child(0));
  FocusTree();
  prompter_.Script({PromptAnswer::Ok});
  window_->FichierClick();
  ASSERT_TRUE(window_->findChild<QAction*>("Supprimer1")->isEnabled());
  window_->findChild<QAction*>("Supprimer1")->trigger();
  EXPECT_FALSE(std::filesystem::exists(created));
  EXPECT_EQ(Tree()->currentItem()->childCount(), 0);
}

// The Delete key on the PC list asks once for several files and names the
// file when there is one; Cancel keeps everything, OK removes files and rows.
TEST_F(PcPaneWindow, DeleteOnThePcListAsksOnceAndOkRemovesFilesAndRows) {
  for (const char* name : {"03151234.312", "03161235.312", "03171236.312"}) {
    WriteFile(home_.File(name), std::string(400, '2'));
  }
  Start(OneTest());
  ASSERT_TRUE(QTest::qWaitFor([&] { return List()->topLevelItemCount() == 3; }, kWaitMs));
  SelectRows(List(), {"03151234.312", "03171236.312"});
  prompter_.Script({PromptAnswer::Cancel});
  PressDelete(List());
  ASSERT_EQ(prompter_.questions().size(), 1u);
  EXPECT_EQ(prompter_.questions()[0], MessageUtf8(msg::kRemoveFiles, 1));
  EXPECT_EQ(List()->topLevelItemCount(), 3);
  EXPECT_TRUE(std::filesystem::exists(home_.File("03151234.312")));

  prompter_.Script({PromptAnswer::Ok});
  PressDelete(List());
  ASSERT_EQ(prompter_.questions().size(), 2u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"03161235.312"}));
  EXPECT_FALSE(std::filesystem::exists(home_.File("03151234.312")));
  EXPECT_FALSE(std::filesystem::exists(home_.File("03171236.312")));
  EXPECT_EQ(window_->statusPanelText(4).toStdString(), "1" + MessageUtf8(msg::kFilesListed, 1));

  // File > Delete on one file names it.
  SelectRows(List(), {"03161235.312"});
  prompter_.Script({PromptAnswer::Cancel});
  window_->FichierClick();
  ASSERT_TRUE(window_->findChild<QAction*>("Supprimer1")->isEnabled());
  window_->findChild<QAction*>("Supprimer1")->trigger();
  ASSERT_EQ(prompter_.questions().size(), 3u);
  EXPECT_EQ(prompter_.questions()[2], "03161235.312. " + MessageUtf8(msg::kRemoveFile, 1));
  EXPECT_TRUE(std::filesystem::exists(home_.File("03161235.312")));
  EXPECT_EQ(List()->topLevelItemCount(), 1);
}

}  // namespace
}  // namespace tesmora::ui
