// The PC pane's operations where a laboratory's machine differs from a tidy
// folder: a named pipe among the files, files of every kind dragged onto the
// recorder list, an export that takes its time, a settings file that cannot
// be written, a network share that does not answer.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <filesystem>

#include "pc_window_fixture.h"
#include "records/test_names.h"
#include "shell/message_table.h"
#include "shell/ui_texts.h"
#include "support/hanging_file_system.h"

namespace tesmora::ui {
namespace {

using testing::kWaitMs;
using testing::ReadFile;
using testing::WhenIdle;
using testing::WriteFile;

constexpr int kEnglish = 1;
constexpr const char* kTest = "03151234.312";

sim::RecorderContents RecorderContents() {
  return testing::RecorderWithTests(
      {{"01011111.111", std::string(400, '1'), "WHEAT", false, std::nullopt}});
}

class PcOperations : public testing::PcPaneWindow {
 protected:
  QAction* Action(const char* name) { return window_->findChild<QAction*>(name); }
  void SwitchAllFilesOn() {
    auto* dialog = window_->findChild<QDialog*>("PasswordDlg");
    WhenIdle([dialog] {
      dialog->findChild<QLineEdit*>("Password")->setText("7859");
      dialog->accept();
    });
    Action("AllFiles")->trigger();
    ASSERT_TRUE(window_->AllFilesMode());
    // The password dialog had the keyboard: the window takes it back.
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }
  // The home folder's node, and its child folder of that name made current.
  QTreeWidgetItem* Home() { return Tree()->topLevelItem(0); }
  void ShowFolder(QTreeWidgetItem* node, int rows) {
    Tree()->setCurrentItem(node);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !Busy() && List()->topLevelItemCount() == rows; }, kWaitMs));
  }
  std::vector<std::string> RecorderNames() {
    std::vector<std::string> names;
    for (const sim::RecorderFile& file : (*recorder_)->contents().tests) names.push_back(file.name);
    return names;
  }
};

// Listed in the display-all-files mode, a pipe is never opened: a paste
// names it and copies the rest instead of waiting for ever for a writer, and
// Print preview names it and opens no sheet.
TEST_F(PcOperations, APipeIsNamedAndLeftOutByAPasteAndByPrintPreview) {
  std::filesystem::create_directory(home_.File("Pipes"));
  ASSERT_EQ(::mkfifo(home_.File(std::string("Pipes/") + kTest).c_str(), 0600), 0);
  WriteFile(home_.File("Pipes/notes.txt"), "notes");
  Start(RecorderContents());
  SwitchAllFilesOn();
  ASSERT_EQ(Home()->childCount(), 1);
  ShowFolder(Home()->child(0), 2);
  SelectRows(List(), {kTest, "notes.txt"});
  window_->Edition1Click();
  ASSERT_TRUE(Action("Copier1")->isEnabled());
  Action("Copier1")->trigger();

  ShowFolder(Home(), 0);
  FocusTree();
  window_->Edition1Click();
  ASSERT_TRUE(Action("Coller1")->isEnabled());
  Action("Coller1")->trigger();
  const std::string leftOut = std::string(kTest) + ". " + MessageUtf8(msg::kNotAFile, kEnglish);
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{leftOut});
  EXPECT_EQ(ReadFile(home_.File("notes.txt")), "notes");
  EXPECT_FALSE(std::filesystem::exists(home_.File(kTest)));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !Busy() && Listed("notes.txt"); }, kWaitMs));

  ShowFolder(Home()->child(0), 2);
  SelectRows(List(), {kTest});
  const QTreeWidgetItem* row = List()->findItems(kTest, Qt::MatchExactly).value(0);
  ASSERT_NE(row, nullptr);
  emit List()->customContextMenuRequested(List()->visualItemRect(row).center());
  window_->findChild<QMenu*>("PupMnu")->close();
  ASSERT_TRUE(Action("Graphique")->isVisible() && Action("Graphique")->isEnabled());
  // A sheet window that opens all the same is closed and said.
  std::string opened;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&opened] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      opened = modal->objectName().toStdString();
      modal->close();
    }
  });
  closer.start(20);
  Action("Graphique")->trigger();
  EXPECT_EQ(opened, "");
  EXPECT_EQ(prompter_.messages(), (std::vector<std::string>{leftOut, leftOut}));
}

// Files dragged onto the recorder list, here from the desktop's file
// manager: taken only when every one has a test name, unless all files are
// shown; a drop that is taken sends them.
TEST_F(PcOperations, TheRecorderListTakesDraggedFilesOnlyWhenEachHasATestName) {
  WriteFile(home_.File(kTest), std::string(400, '2'));
  WriteFile(home_.File("notes.txt"), "notes");
  Start(RecorderContents());
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return LinkIdle() && RecorderList()->topLevelItemCount() == 1; }, kWaitMs));
  QWidget* target = RecorderList()->viewport();
  const QPoint at = target->rect().center();
  const auto drag = [&](std::initializer_list<const char*> names, QEvent::Type type) {
    QMimeData data;
    QList<QUrl> urls;
    for (const char* name : names)
      urls << QUrl::fromLocalFile(QString::fromStdString(home_.File(name)));
    data.setUrls(urls);
    if (type == QEvent::Drop) {
      QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(target, &drop);
      return drop.isAccepted();
    }
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    EXPECT_EQ(enter.isAccepted(), move.isAccepted());
    return move.isAccepted();
  };
  EXPECT_FALSE(drag({kTest, "notes.txt"}, QEvent::DragMove));
  EXPECT_FALSE(drag({"notes.txt"}, QEvent::DragMove));
  EXPECT_FALSE(drag({kTest, "notes.txt"}, QEvent::Drop));
  EXPECT_TRUE(drag({kTest}, QEvent::DragMove));
  EXPECT_EQ(RecorderNames().size(), 1u);

  SwitchAllFilesOn();
  EXPECT_TRUE(drag({kTest, "notes.txt"}, QEvent::DragMove));
  Action("AllFiles")->trigger();
  ASSERT_FALSE(window_->AllFilesMode());
  ASSERT_TRUE(QTest::qWaitFor([&] { return LinkIdle(); }, kWaitMs));
  EXPECT_TRUE(drag({kTest}, QEvent::Drop));
  ASSERT_TRUE(QTest::qWaitFor([&] { return RecorderNames().size() == 2 && LinkIdle(); }, kWaitMs))
      << testing::Joined(prompter_.messages());
  EXPECT_EQ(RecorderNames()[1], kTest);
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(PcOperations, TheManualExportShowsTheHourglassWhileItRuns) {
  WriteFile(home_.File(kTest), std::string(400, '2'));
  WriteFile(home_.File(ExportFileName(kTest)), "older export");
  Start(RecorderContents());
  ASSERT_TRUE(QTest::qWaitFor([&] { return List()->topLevelItemCount() == 2; }, kWaitMs));
  std::vector<int> cursors;
  prompter_.onPrompt = [&cursors] {
    const QCursor* cursor = QApplication::overrideCursor();
    cursors.push_back(cursor != nullptr ? cursor->shape() : -1);
  };
  prompter_.Script({PromptAnswer::No});
  SelectRows(List(), {kTest});
  window_->FichierClick();
  ASSERT_TRUE(Action("ExportManuelle")->isEnabled());
  Action("ExportManuelle")->trigger();
  prompter_.onPrompt = nullptr;
  EXPECT_EQ(cursors, std::vector<int>{Qt::WaitCursor});
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(ReadFile(home_.File(ExportFileName(kTest))), "older export");
}

// OK in the automatic save directory dialog never claims a change that the
// settings file did not take.
TEST_F(PcOperations, TheAutomaticSaveDirectorySaysWhenTheSettingsFileCannotBeWritten) {
  std::filesystem::create_directory(home_.File("Tests"));
  Start(RecorderContents());
  const std::string stored = window_->settings().AutoSaveDirectory;
  // A folder where the settings file was: nothing can be written there.
  const std::string settingsFile = program_.File("tesmora.ini");
  ASSERT_TRUE(std::filesystem::remove(settingsFile));
  std::filesystem::create_directory(settingsFile);
  auto* dialog = window_->findChild<QDialog*>("RepSaveAuto100d");
  ASSERT_NE(dialog, nullptr);
  std::string shown;
  WhenIdle([&] {
    auto* tree = dialog->findChild<FolderTreeView*>("TVChoixRep");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return tree->topLevelItemCount() > 0 && !tree->Busy(); }, kWaitMs));
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 1);
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    shown = dialog->findChild<QLineEdit*>("zeNewRep")->text().toStdString();
    dialog->findChild<QPushButton*>("OKBtn")->click();
  });
  window_->ConfigClick();
  ASSERT_TRUE(Action("DirSauve")->isEnabled());
  Action("DirSauve")->trigger();
  EXPECT_EQ(shown, home_.File("Tests/"));
  EXPECT_EQ(prompter_.questions(),
            std::vector<std::string>{MessageUtf8(msg::kChangeAutoSaveDirectory, kEnglish)});
  EXPECT_EQ(
      prompter_.messages(),
      std::vector<std::string>{std::string(UiTextUtf8(UiText::AutoSaveNotWritten, kEnglish))});
  EXPECT_EQ(window_->settings().AutoSaveDirectory, stored);
}

// A share that never answers, mounted in the home folder, which the tree
// looks into at start: the tree and the list come all the same, and
// expanding or listing the share gives the window back after the wait.
TEST_F(PcOperations, AShareThatNeverAnswersHoldsNeitherTheStartNorTheTree) {
  std::filesystem::create_directories(home_.File("Share/Inside"));
  WriteFile(home_.File(kTest), std::string(400, '2'));
  auto hanging = std::make_shared<tesmora::testing::HangingFileSystem>(
      platform::DriveSources{"", "", "", home_.path()});
  hanging->hung.insert(home_.File("Share"));
  configure_ = [hanging](MainWindowOptions& options) {
    options.fileSystem = hanging;
    options.listingWait = std::chrono::milliseconds(100);
  };
  Start(RecorderContents());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Busy() && Listed(kTest); }, kWaitMs));
  ASSERT_EQ(Home()->childCount(), 1);
  QTreeWidgetItem* share = Home()->child(0);
  EXPECT_EQ(share->text(0), "Share");
  EXPECT_EQ(share->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);

  Tree()->expandItem(share);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Busy(); }, kWaitMs));
  EXPECT_FALSE(share->isExpanded());
  EXPECT_EQ(share->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
  ShowFolder(share, 0);
  EXPECT_EQ(window_->statusPanelText(4).toStdString(),
            "0" + MessageUtf8(msg::kFilesListed, kEnglish));
  hanging->Release();
}

}  // namespace
}  // namespace tesmora::ui
