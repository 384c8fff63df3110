// One current folder: the folder the tree shows as current, the one the PC
// list shows and the one every command on "the folder shown" acts on stay the
// same through renames in place, folding and unfolding, and deletions.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "fixtures/test_file_writer.h"
#include "pc_window_fixture.h"
#include "records/test_names.h"
#include "shell/message_table.h"

namespace tesmora::ui {
namespace {

using testing::kWaitMs;
using testing::ReadFile;
using testing::WhenIdle;
using testing::WriteFile;

constexpr const char* kOnRecorder = "03151234.312";
constexpr const char* kInHome = "04021235.312";
constexpr const char* kInWeek = "03161236.126";

class CurrentFolder : public testing::PcPaneWindow {
 protected:
  void SetUp() override {
    WriteFile(home_.File(kInHome), std::string(400, '1'));
    std::filesystem::create_directory(home_.File("Week 11"));
    const fixtures::Bytes test =
        fixtures::BuildInflationFile(fixtures::RealisticInflationTest(2, '1'));
    WriteFile(home_.File("Week 11/") + kInWeek, std::string(test.begin(), test.end()));
  }
  void StartIdle() {
    Start(testing::RecorderWithTests(
        {{kOnRecorder, std::string(400, '2'), "WHEAT", false, std::nullopt}}));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return LinkIdle() && !Busy() && Names().size() == 1; }, kWaitMs));
  }
  QAction* Action(const char* name) { return window_->findChild<QAction*>(name); }
  QTreeWidgetItem* HomeItem() { return Tree()->topLevelItem(0); }
  static QTreeWidgetItem* Child(QTreeWidgetItem* parent, const QString& text) {
    for (int i = 0; i < parent->childCount(); ++i) {
      if (parent->child(i)->text(0) == text) return parent->child(i);
    }
    return nullptr;
  }
  // A click on a folder, as the user selects it.
  void ClickFolder(QTreeWidgetItem* item) {
    ASSERT_NE(item, nullptr);
    Tree()->scrollToItem(item);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {},
                      Tree()->visualItemRect(item).center());
    ASSERT_EQ(Tree()->currentItem(), item);
  }
  // A click on the expand button left of a node.
  void ClickExpandButton(QTreeWidgetItem* item) {
    const QRect row = Tree()->visualItemRect(item);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {},
                      QPoint(row.left() - Tree()->indentation() / 2, row.center().y()));
  }
  bool Shows(std::initializer_list<std::string> names) {
    std::vector<std::string> shown = Names();
    std::vector<std::string> expected(names);
    std::sort(shown.begin(), shown.end());
    std::sort(expected.begin(), expected.end());
    return !Busy() && shown == expected;
  }
  // The home folder's test copied, as Edit > Copy with the list focused.
  void CopyHomeTest() {
    SelectRows(List(), {kInHome});
    window_->Edition1Click();
    ASSERT_TRUE(Action("Copier1")->isEnabled());
    Action("Copier1")->trigger();
  }
  void PasteOnTheTree() {
    FocusTree();
    window_->Edition1Click();
    ASSERT_TRUE(Action("Coller1")->isEnabled());
    Action("Coller1")->trigger();
  }
  // F2 on the current folder: its name's editor, open.
  QLineEdit* EditName() {
    FocusTree();
    QTest::keyClick(Tree(), Qt::Key_F2);
    for (QLineEdit* editor : Tree()->viewport()->findChildren<QLineEdit*>()) {
      if (editor->isVisible()) return editor;
    }
    return nullptr;
  }
  void RenameInPlace(const QString& typed) {
    QLineEdit* editor = EditName();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key_Return);
  }
};

TEST_F(CurrentFolder, ARenamedFolderStaysCurrentForPasteNewFolderAndExport) {
  StartIdle();
  CopyHomeTest();
  ClickFolder(Child(HomeItem(), "Week 11"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows({kInWeek}); }, kWaitMs));

  RenameInPlace("Week 12");
  const std::string renamed = home_.File("Week 12");
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return std::filesystem::is_directory(renamed) && !Busy(); }, kWaitMs));
  ASSERT_NE(Tree()->currentItem(), nullptr);
  EXPECT_EQ(Tree()->currentItem()->text(0), "Week 12");

  PasteOnTheTree();
  EXPECT_TRUE(prompter_.questions().empty()) << testing::Joined(prompter_.questions());
  EXPECT_EQ(ReadFile(renamed + "/" + kInHome), std::string(400, '1'));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows({kInHome, kInWeek}); }, kWaitMs));

  // File > New folder makes its folder in the renamed one.
  auto* dialog = window_->findChild<QDialog*>("FenNewRep");
  FocusTree();
  window_->FichierClick();
  ASSERT_TRUE(Action("NewRep")->isEnabled());
  WhenIdle([dialog] {
    dialog->findChild<QLineEdit*>("zeNewRep")->setText("Monday");
    dialog->findChild<QPushButton*>("bbOK")->click();
  });
  Action("NewRep")->trigger();
  EXPECT_TRUE(std::filesystem::is_directory(renamed + "/Monday"));
  EXPECT_FALSE(std::filesystem::exists(home_.File("Monday")));

  // File > Export of a listed test writes its export beside it.
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  SelectRows(List(), {kInWeek});
  window_->FichierClick();
  ASSERT_TRUE(Action("ExportManuelle")->isEnabled());
  Action("ExportManuelle")->trigger();
  EXPECT_TRUE(std::filesystem::exists(renamed + "/" + ExportFileName(kInWeek)));
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return Shows({kInHome, kInWeek, ExportFileName(kInWeek)});
      },
      kWaitMs));
  EXPECT_TRUE(prompter_.messages().empty()) << testing::Joined(prompter_.messages());
}

TEST_F(CurrentFolder, FoldingAndUnfoldingItsParentKeepsTheFolderCurrent) {
  StartIdle();
  CopyHomeTest();
  ClickFolder(Child(HomeItem(), "Week 11"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows({kInWeek}); }, kWaitMs));

  ClickExpandButton(HomeItem());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !HomeItem()->isExpanded(); }, kWaitMs));
  ClickExpandButton(HomeItem());
  ASSERT_TRUE(QTest::qWaitFor([&] { return HomeItem()->isExpanded() && !Busy(); }, kWaitMs));
  ASSERT_NE(Tree()->currentItem(), nullptr);
  EXPECT_EQ(Tree()->currentItem()->text(0), "Week 11");
  EXPECT_TRUE(Shows({kInWeek}));

  PasteOnTheTree();
  EXPECT_TRUE(prompter_.questions().empty()) << testing::Joined(prompter_.questions());
  EXPECT_TRUE(std::filesystem::exists(home_.File("Week 11/") + kInHome));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows({kInHome, kInWeek}); }, kWaitMs));

  // A file the link stores in the listed folder gets its row.
  window_->ReceiveFromRecorder({kOnRecorder}, home_.File("Week 11/"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Listed(kOnRecorder) && LinkIdle(); }, kWaitMs));
  EXPECT_TRUE(Shows({kOnRecorder, kInHome, kInWeek}));
}

TEST_F(CurrentFolder, ADeletedCurrentFolderHandsOverToItsParent) {
  for (const char* folder : {"A", "B", "C"}) std::filesystem::create_directory(home_.File(folder));
  StartIdle();
  ClickFolder(Child(HomeItem(), "B"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows({}); }, kWaitMs));
  prompter_.Script({PromptAnswer::Ok});
  FocusTree();
  PressDelete(Tree());
  ASSERT_FALSE(std::filesystem::exists(home_.File("B")));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows({kInHome}); }, kWaitMs));
  EXPECT_EQ(Tree()->currentItem(), HomeItem());
  EXPECT_EQ(Child(HomeItem(), "B"), nullptr);
  EXPECT_EQ(window_->statusPanelText(4).toStdString(), "1" + MessageUtf8(msg::kFilesListed, 1));
  // The parent is the folder shown for the link as well.
  window_->ReceiveFromRecorder({kOnRecorder}, home_.path() + "/");
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return std::filesystem::exists(home_.File(kOnRecorder)) && LinkIdle(); }, kWaitMs));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Shows({kOnRecorder, kInHome}); }, 2000));
}

// An in-place edit renames only to a text the user typed: Escape, or Enter
// on the text as shown, leaves the folder as it is, whatever bytes its name
// holds.
TEST_F(CurrentFolder, AnAbandonedEditNeverRenames) {
  const std::string latin1 = "Lab\xE9";  // not UTF-8
  std::filesystem::create_directory(home_.File(latin1));
  StartIdle();
  QTreeWidgetItem* odd = nullptr;
  for (int i = 0; i < HomeItem()->childCount(); ++i) {
    if (HomeItem()->child(i)->text(0).startsWith("Lab")) odd = HomeItem()->child(i);
  }
  ClickFolder(odd);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Busy(); }, kWaitMs));
  const auto children = [&] {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(home_.path())) {
      if (entry.is_directory()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  };
  const std::vector<std::string> before = children();

  QLineEdit* editor = EditName();
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(children(), before);

  editor = EditName();
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(children(), before);
  EXPECT_TRUE(prompter_.messages().empty()) << testing::Joined(prompter_.messages());

  // Typed, then abandoned: nothing either.
  editor = EditName();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "Other");
  QTest::keyClick(editor, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(children(), before);

  // What the user types is the new name.
  RenameInPlace("Lab 2");
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return std::filesystem::is_directory(home_.File("Lab 2")); }, kWaitMs));
  EXPECT_FALSE(std::filesystem::exists(home_.File(latin1)));
}

}  // namespace
}  // namespace tesmora::ui
