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
#include <fstream>

#include "shell/message_table.h"
#include "ui/folder_tree_view.h"
#include "window_test_support.h"

namespace tesmora::ui {
namespace {

using link::testing::FakePrompter;
using tesmora::testing::TempDir;
using testing::RunningRecorder;
using testing::WaitUntil;
using testing::WhenIdle;

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

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

class PcPaneWindow : public ::testing::Test {
 protected:
  void Start() {
    recorder_ = std::make_unique<RunningRecorder>(OneTest());
    ASSERT_TRUE(recorder_->opened());
    testing::WriteSettings(program_, "COM1", {{"COM1", (*recorder_)->devicePath()}});
    MainWindowOptions options = testing::FastOptions(prompter_);
    options.drives->homeFolder = home_.path();
    window_ = std::make_unique<TFPtesm100q>(program_.path(), 0x0809, options);
    window_->CreateOwnedWindows();
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    ASSERT_TRUE(WaitUntil([&] { return Tree()->topLevelItemCount() > 0 && !Busy(); }));
  }
  void TearDown() override {
    window_.reset();
    recorder_.reset();
  }
  FolderTreeView* Tree() { return window_->findChild<FolderTreeView*>("tvRepPc"); }
  QTreeWidget* List() { return window_->findChild<QTreeWidget*>("ListFichPC"); }
  bool Busy() { return Tree()->Busy(); }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int row = 0; row < List()->topLevelItemCount(); ++row) {
      names.push_back(List()->topLevelItem(row)->text(0).toStdString());
    }
    return names;
  }
  void FocusTree() {
    Tree()->setFocus();
    QApplication::processEvents();
  }

  TempDir program_;
  TempDir home_;
  FakePrompter prompter_;
  std::unique_ptr<RunningRecorder> recorder_;
  std::unique_ptr<TFPtesm100q> window_;
};

TEST_F(PcPaneWindow, TheHomeFolderIsSelectedAndItsTestsListed) {
  WriteFile(home_.File("03151234.312"), std::string(400, '2'));
  WriteFile(home_.File("03151234.AHC"), "export");
  WriteFile(home_.File("notes.txt"), "not a test");
  std::filesystem::create_directory(home_.File("Week 11"));
  Start();
  ASSERT_TRUE(WaitUntil([&] { return List()->topLevelItemCount() == 2; }));
  // Sorted by Type after the fill; the folder is no row.
  EXPECT_EQ(Names().size(), 2u);
  EXPECT_EQ(window_->statusPanelText(4).toStdString(), "2" + MessageUtf8(267, 1));
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
  Start();
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

}  // namespace
}  // namespace tesmora::ui
