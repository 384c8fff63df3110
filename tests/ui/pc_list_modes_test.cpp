// What the PC list shows: the display-all-files switch, a sort by a column
// click, hidden folders, and the list of a network drive after a paste.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "explorer/node_state.h"
#include "pc_window_fixture.h"
#include "shell/main_window_rules.h"
#include "shell/message_table.h"

namespace tesmora::ui {
namespace {

using testing::kWaitMs;
using testing::WhenIdle;
using testing::WriteFile;

class PcListModes : public testing::PcPaneWindow {
 protected:
  QAction* Action(const char* name) { return window_->findChild<QAction*>(name); }
  std::vector<std::string> Sorted() {
    std::vector<std::string> names = Names();
    std::sort(names.begin(), names.end());
    return names;
  }
  std::vector<std::string> SelectedNames() {
    std::vector<std::string> names;
    for (const QTreeWidgetItem* item : List()->selectedItems()) {
      names.push_back(item->text(0).toStdString());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  // Options > Display all files, with the password typed in its dialog.
  void SwitchAllFiles() {
    if (!Action("AllFiles")->isChecked()) {
      WhenIdle([this] {
        auto* dialog = window_->findChild<QDialog*>("PasswordDlg");
        dialog->findChild<QLineEdit*>("Password")
            ->setText(QString::fromUtf8(kDisplayAllFilesPassword.data(),
                                        static_cast<qsizetype>(kDisplayAllFilesPassword.size())));
        dialog->accept();
      });
    }
    Action("AllFiles")->trigger();
  }
};

TEST_F(PcListModes, DisplayAllFilesFillsTheListAgainWhenSwitched) {
  WriteFile(home_.File("03151234.312"), std::string(400, '2'));
  WriteFile(home_.File("notes.txt"), "notes");
  WriteFile(home_.File(".profile"), "hidden");
  std::filesystem::create_directory(home_.File(".config"));
  Start(testing::RecorderWithTests({}));
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !Busy() && List()->topLevelItemCount() == 1; }, kWaitMs));

  SwitchAllFiles();
  ASSERT_TRUE(Action("AllFiles")->isChecked());
  // Every file, hidden ones too; folders are no rows.
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !Busy() && List()->topLevelItemCount() == 3; }, kWaitMs));
  EXPECT_EQ(Sorted(), (std::vector<std::string>{".profile", "03151234.312", "notes.txt"}));
  EXPECT_EQ(window_->statusPanelText(4).toStdString(), "3" + MessageUtf8(msg::kFilesListed, 1));

  SwitchAllFiles();
  ASSERT_FALSE(Action("AllFiles")->isChecked());
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !Busy() && List()->topLevelItemCount() == 1; }, kWaitMs));
  EXPECT_EQ(Names(), std::vector<std::string>{"03151234.312"});
}

TEST_F(PcListModes, HiddenFoldersStayOutOfTheTree) {
  for (const char* folder : {".cargo", ".config", "Tests"}) {
    std::filesystem::create_directory(home_.File(folder));
  }
  Start(testing::RecorderWithTests({}));
  QTreeWidgetItem* home = Tree()->topLevelItem(0);
  ASSERT_EQ(home->childCount(), 1);
  EXPECT_EQ(home->child(0)->text(0), "Tests");
}

TEST_F(PcListModes, AColumnClickSortsAndKeepsTheSelection) {
  for (const char* name : {"03151234.312", "03161235.103", "03171236.503"}) {
    WriteFile(home_.File(name), std::string(400, '2'));
  }
  Start(testing::RecorderWithTests({}));
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !Busy() && List()->topLevelItemCount() == 3; }, kWaitMs));
  SelectRows(List(), {"03151234.312", "03171236.503"});
  QHeaderView* header = List()->header();
  const QPoint nameHeader(header->sectionViewportPosition(0) + 5, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, nameHeader);
  // By name, descending.
  EXPECT_EQ(Names(), (std::vector<std::string>{"03171236.503", "03161235.103", "03151234.312"}));
  EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"03151234.312", "03171236.503"}));
  EXPECT_EQ(window_->statusPanelText(4).toStdString(), "2" + MessageUtf8(msg::kFilesSelected, 1));
}

// A network drive's root shows its files as a folder does; a paste into it
// shows the pasted file.
TEST_F(PcListModes, APasteIntoANetworkDrivesRootShowsThePastedFile) {
  tesmora::testing::TempDir mounts;
  tesmora::testing::TempDir shared;
  mountTable_ = mounts.File("mounts");
  tesmora::testing::WriteBytes(mountTable_, "//srv/DATA " + shared.path() + " cifs rw 0 0\n");
  WriteFile(home_.File("03151234.312"), std::string(400, '2'));
  Start(testing::RecorderWithTests({}));
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !Busy() && List()->topLevelItemCount() == 1; }, kWaitMs));
  SelectRows(List(), {"03151234.312"});
  window_->Edition1Click();
  ASSERT_TRUE(Action("Copier1")->isEnabled());
  Action("Copier1")->trigger();

  QTreeWidgetItem* drive = nullptr;
  for (int i = 0; i < Tree()->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = Tree()->topLevelItem(i);
    if (item->data(0, Qt::UserRole).toInt() == explorer::kNodeNetworkDrive) drive = item;
  }
  ASSERT_NE(drive, nullptr);
  QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Tree()->visualItemRect(drive).center());
  ASSERT_EQ(Tree()->currentItem(), drive);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !Busy() && List()->topLevelItemCount() == 0; }, kWaitMs));

  FocusTree();
  window_->Edition1Click();
  ASSERT_TRUE(Action("Coller1")->isEnabled());
  Action("Coller1")->trigger();
  ASSERT_TRUE(std::filesystem::exists(shared.File("03151234.312")));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !Busy() && List()->topLevelItemCount() == 1; }, 5000));
  EXPECT_EQ(Names(), std::vector<std::string>{"03151234.312"});
}

}  // namespace
}  // namespace tesmora::ui
