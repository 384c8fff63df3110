// The main window on a simulated recorder: the start-up sequence, the
// recorder list, deletion, the port dialog and the close sequence.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>

#include <unistd.h>

#include "platform/profile_file.h"
#include "shell/message_table.h"
#include "shell/port_open_error.h"
#include "ui/dialogs/copy_window.h"
#include "ui/recorder_pane/recorder_pane.h"
#include "window_test_support.h"

namespace tesmora::ui {
namespace {

using link::testing::FakePrompter;
using tesmora::testing::TempDir;
using testing::FastOptions;
using testing::kWaitMs;
using testing::RunningRecorder;

sim::RecorderFile TestFile(const std::string& name, const std::string& sample) {
  sim::RecorderFile file;
  file.name = name;
  file.bytes = std::string(400, static_cast<char>(name[9]));
  file.sample = sample;
  return file;
}

sim::RecorderContents Contents(std::vector<sim::RecorderFile> tests) {
  sim::RecorderContents contents;
  contents.tests = std::move(tests);
  contents.diskC = {{"flash.cnf", "E\r\n", "", false, std::nullopt},
                    {"REPORT.TXT", "abc", "", false, std::nullopt}};
  contents.flash = {{"cliente.txt", std::string(2 + 140, 'c'), "", false, std::nullopt},
                    {"protocol.txt", std::string(2 + 21 * 20, 'p'), "", false, std::nullopt}};
  contents.flashLetter = 'E';
  return contents;
}

std::vector<std::string> Column(const TFPtesm100q& window, int column) {
  std::vector<std::string> texts;
  const auto* list = window.findChild<QTreeWidget*>("ListKald");
  for (int row = 0; row < list->topLevelItemCount(); ++row) {
    texts.push_back(list->topLevelItem(row)->text(column).toStdString());
  }
  return texts;
}

int CountOf(const sim::SimRecord& record, const std::string& event) {
  return static_cast<int>(std::count(record.events.begin(), record.events.end(), event));
}

class RecorderPane : public ::testing::Test {
 protected:
  void Start(sim::RecorderContents contents, bool emulateLine = false) {
    recorder_ = std::make_unique<RunningRecorder>(std::move(contents), emulateLine);
    ASSERT_TRUE(recorder_->opened());
    testing::WriteSettings(program_, "COM1", {{"COM1", (*recorder_)->devicePath()}});
    window_ = std::make_unique<TFPtesm100q>(program_.path(), 0x0809, Options());
    window_->CreateOwnedWindows();
    window_->show();
  }
  MainWindowOptions Options() {
    MainWindowOptions options = FastOptions(prompter_);
    options.serialDevices = serialDevices_;
    return options;
  }
  // The port dialog: `port` chosen, and the device of the list at `device`
  // when it is not negative, then OK.
  void ChoosePort(const char* port, int device = -1) {
    auto* dialog = window_->findChild<QDialog*>("ChoixCom");
    testing::WhenIdle([=] {
      dialog->findChild<QRadioButton*>(port)->setChecked(true);
      auto* devices = dialog->findChild<QComboBox*>("cbDevice");
      if (device >= 0) devices->setCurrentIndex(devices->findData(device));
      dialog->findChild<QAbstractButton*>("bbOK")->click();
    });
    window_->PortClick();
  }
  void TearDown() override {
    window_.reset();
    recorder_.reset();
  }
  bool StartupDone() {
    return !window_->findChild<QTimer*>("Timer1")->isActive() && window_->link().IsIdle();
  }
  QTreeWidget* List() { return window_->findChild<QTreeWidget*>("ListKald"); }

  TempDir program_;
  FakePrompter prompter_;
  platform::SerialDeviceRoots serialDevices_;
  std::unique_ptr<RunningRecorder> recorder_;
  std::unique_ptr<TFPtesm100q> window_;
};

// The list shows a name as it sorts it: in the recorder's code page 850,
// where 0x90 is 'É' (not a control character, as read byte for character).
TEST(RecorderList, ShowsEachColumnInItsCodePage) {
  LanguageState language;
  ChooseLanguage(language, 1);
  tesmora::ui::RecorderPane pane(language, nullptr);
  pane.AddRow(
      {"\x90TUDE.TXT", "TXT", "bl\x82", std::string(MessageBytes(msg::kYes, 1)), "15/03/12"});
  pane.ShowRows();
  const QTreeWidgetItem* row = pane.list()->topLevelItem(0);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->text(0), QString::fromUtf8("\u00c9TUDE.TXT"));
  EXPECT_EQ(row->text(1), "TXT");
  EXPECT_EQ(row->text(2), QString::fromUtf8("bl\u00e9"));
  EXPECT_EQ(row->text(3).toStdString(), MessageUtf8(msg::kYes, 1));
  EXPECT_EQ(row->text(4), "15/03/12");
}

TEST_F(RecorderPane, StartUpSequenceFillsTheListAndDownloadsTheLists) {
  Start(Contents({TestFile("03151234.312", "WHEAT 7"), TestFile("04021235.412", "FLOUR T55"),
                  TestFile("12241236.111", "RYE")}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, kWaitMs));
  EXPECT_EQ(window_->RecorderFileCount(), 3);
  EXPECT_EQ(Column(*window_, 0),
            (std::vector<std::string>{"03151234.312", "04021235.412", "12241236.111"}));
  EXPECT_EQ(Column(*window_, 1), (std::vector<std::string>{"AHA", "CHC", "AHC"}));
  EXPECT_EQ(Column(*window_, 2), (std::vector<std::string>{"WHEAT 7", "FLOUR T55", "RYE"}));
  EXPECT_EQ(Column(*window_, 4), (std::vector<std::string>{"15/03/12", "02/04/12", "24/12/11"}));
  EXPECT_EQ(window_->statusPanelText(0), "3 File(s)");
  for (const char* file : {"flash.cnf", "cliente.txt", "protocol.txt"}) {
    EXPECT_TRUE(std::filesystem::exists(program_.File(file))) << file;
  }
  const sim::SimRecord record = (*recorder_)->record();
  EXPECT_EQ(CountOf(record, "list"), 1);
  EXPECT_EQ(CountOf(record, "version"), 1);
  EXPECT_TRUE(prompter_.messages().empty());
}

// The recorder's adapter is unplugged: the status bar says so, and no box
// interrupts the user for it. Plugged back, under the same stable name, the
// start-up sequence runs again and the list fills without a restart.
TEST_F(RecorderPane, AnUnpluggedAdapterIsSaidAndItsReturnFillsTheListAgain) {
  const std::string stableName = program_.File("usb-recorder");
  const auto plugIn = [&](sim::RecorderContents contents) {
    recorder_ = std::make_unique<RunningRecorder>(std::move(contents));
    ASSERT_TRUE(recorder_->opened());
    std::filesystem::remove(stableName);
    std::filesystem::create_symlink((*recorder_)->devicePath(), stableName);
  };
  plugIn(Contents({TestFile("03151234.312", "WHEAT 7")}));
  testing::WriteSettings(program_, "COM1", {{"COM1", stableName}});
  window_ = std::make_unique<TFPtesm100q>(program_.path(), 0x0809, FastOptions(prompter_));
  window_->CreateOwnedWindows();
  window_->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, kWaitMs));
  EXPECT_EQ(window_->statusPanelText(3), "");

  recorder_.reset();
  std::filesystem::remove(stableName);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window_->statusPanelText(3).isEmpty(); }, kWaitMs));
  EXPECT_EQ(window_->statusPanelText(3).toStdString(), MessageUtf8(msg::kCommunicationProblem, 1));

  plugIn(Contents({TestFile("03151234.312", "WHEAT 7"), TestFile("04021235.412", "FLOUR")}));
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return window_->RecorderFileCount() == 2 && StartupDone(); }, kWaitMs));
  EXPECT_EQ(window_->statusPanelText(3), "");
  EXPECT_EQ(Column(*window_, 0), (std::vector<std::string>{"03151234.312", "04021235.412"}));
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(RecorderPane, DateColumnSortsDescendingFirstOnTwoDigitYears) {
  Start(Contents({TestFile("01010001.199", "A"), TestFile("03151234.312", "B"),
                  TestFile("01010002.100", "C")}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return window_->RecorderFileCount() == 3; }, kWaitMs));
  emit List()->header()->sectionClicked(4);
  EXPECT_EQ(Column(*window_, 4), (std::vector<std::string>{"01/01/99", "15/03/12", "01/01/00"}));
  emit List()->header()->sectionClicked(4);
  EXPECT_EQ(Column(*window_, 4), (std::vector<std::string>{"01/01/00", "15/03/12", "01/01/99"}));
  emit List()->header()->sectionClicked(2);  // another column starts descending too
  EXPECT_EQ(Column(*window_, 2), (std::vector<std::string>{"C", "B", "A"}));
}

TEST_F(RecorderPane, SelectionShowsItsCountAndMenusFollowIt) {
  Start(Contents({TestFile("03151234.312", "A"), TestFile("04021235.412", "B"),
                  TestFile("12241236.111", "C")}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, kWaitMs));
  List()->setFocus();
  List()->topLevelItem(0)->setSelected(true);
  List()->topLevelItem(2)->setSelected(true);
  EXPECT_EQ(window_->statusPanelText(0), "2 Selected file(s)");
  window_->FichierClick();
  EXPECT_TRUE(window_->findChild<QAction*>("Supprimer1")->isEnabled());
  window_->Edition1Click();
  EXPECT_TRUE(window_->findChild<QAction*>("Copier1")->isEnabled());

  List()->clearSelection();
  EXPECT_EQ(window_->statusPanelText(0), "3 File(s)");
  window_->FichierClick();
  EXPECT_FALSE(window_->findChild<QAction*>("Supprimer1")->isEnabled());
}

TEST_F(RecorderPane, RightClickOffersCopyAndDeleteOnARowAndNothingBesideThem) {
  Start(Contents({TestFile("03151234.312", "A"), TestFile("04021235.412", "B")}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, kWaitMs));
  auto* popup = window_->findChild<QMenu*>("PupMnu");
  const auto visibleItems = [popup] {
    QStringList names;
    for (const QAction* action : popup->actions()) {
      if (action->isVisible()) names << action->objectName();
    }
    popup->close();
    return names;
  };
  const QPoint onRow = List()->visualItemRect(List()->topLevelItem(1)).center();
  emit List()->customContextMenuRequested(onRow);
  EXPECT_EQ(visibleItems(), QStringList({"Copier", "Supprimer"}));
  // Empty space: Paste only after PC files were copied, and none were.
  emit List()->customContextMenuRequested(QPoint(5, List()->viewport()->height() - 5));
  EXPECT_EQ(visibleItems(), QStringList());
}

TEST_F(RecorderPane, DeletingTwoFilesAsksOnceAndListsTheRecorderAgain) {
  Start(Contents({TestFile("03151234.312", "A"), TestFile("04021235.412", "B"),
                  TestFile("12241236.111", "C")}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, kWaitMs));
  List()->topLevelItem(0)->setSelected(true);
  List()->topLevelItem(1)->setSelected(true);
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(List(), &del);

  ASSERT_EQ(prompter_.questions().size(), 1u);
  EXPECT_EQ(prompter_.questions()[0], MessageUtf8(msg::kRemoveFiles, 1));
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return window_->RecorderFileCount() == 1 && StartupDone(); }, kWaitMs));
  EXPECT_EQ(Column(*window_, 0), (std::vector<std::string>{"12241236.111"}));
  ASSERT_EQ((*recorder_)->contents().tests.size(), 1u);
  // The list was asked again after the deletions; the windows are back.
  const sim::SimRecord record = (*recorder_)->record();
  EXPECT_EQ(CountOf(record, "list"), 2);
  EXPECT_EQ(record.events.back(), "list");
  EXPECT_FALSE(window_->findChild<QDialog*>("FenSuiviSup100b")->isVisible());
  EXPECT_TRUE(window_->centralWidget()->isEnabled());
  EXPECT_TRUE(window_->menuBar()->isEnabled());
}

TEST_F(RecorderPane, EscInTheCopyWindowStopsTheBatchAfterTheCurrentFile) {
  // At the pace of a 9600 baud line a file of 3000 bytes takes about three
  // seconds: time enough to press ESC while the second one comes.
  std::vector<sim::RecorderFile> files;
  for (const char* name : {"03151234.312", "04021235.312", "05031236.312"}) {
    files.push_back(TestFile(name, "S"));
    files.back().bytes = std::string(3000, 'x');
  }
  Start(Contents(files), true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, 60000));
  TempDir destination;
  window_->ReceiveFromRecorder({"03151234.312", "04021235.312", "05031236.312"},
                               destination.path() + "/");
  auto* copyWindow = window_->findChild<QDialog*>("FenCopie100b");
  auto* fileName = copyWindow->findChild<QLabel*>("zeNomFich");
  ASSERT_TRUE(QTest::qWaitFor([&] { return copyWindow->isVisible(); }, kWaitMs));
  EXPECT_FALSE(window_->menuBar()->isEnabled());  // the window waits while the batch runs
  ASSERT_TRUE(QTest::qWaitFor([&] { return fileName->text() == "04021235.312"; }, kWaitMs));
  copyWindow->findChild<QAbstractButton*>("bEscCopie")->click();
  EXPECT_TRUE(copyWindow->isVisible());  // the current file goes on to its end

  ASSERT_TRUE(QTest::qWaitFor([&] { return !copyWindow->isVisible(); }, 60000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return window_->link().IsIdle(); }, kWaitMs));
  EXPECT_TRUE(std::filesystem::exists(destination.File("03151234.312")));
  EXPECT_TRUE(std::filesystem::exists(destination.File("04021235.312")));
  EXPECT_FALSE(std::filesystem::exists(destination.File("05031236.312")));
  EXPECT_EQ(CountOf((*recorder_)->record(), "get 04021235.312"), 1);
  EXPECT_EQ(CountOf((*recorder_)->record(), "get 05031236.312"), 0);
  EXPECT_TRUE(window_->menuBar()->isEnabled());
  EXPECT_TRUE(window_->centralWidget()->isEnabled());
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(RecorderPane, DuringACopyTheWindowTakesNoKeyNoCommandAndNoClose) {
  std::vector<sim::RecorderFile> files;
  const std::vector<std::string> names{"03151234.312", "04021235.312", "05031236.312"};
  for (const std::string& name : names) {
    files.push_back(TestFile(name, "S"));
    files.back().bytes = std::string(3000, 'x');
  }
  Start(Contents(files), true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, 60000));
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  List()->setFocus();
  List()->selectAll();
  TempDir destination;
  window_->ReceiveFromRecorder(names, destination.path() + "/");
  auto* copyWindow = window_->findChild<QDialog*>("FenCopie100b");
  auto* fileName = copyWindow->findChild<QLabel*>("zeNomFich");
  ASSERT_TRUE(QTest::qWaitFor([&] { return fileName->text() == "04021235.312"; }, 60000));
  EXPECT_TRUE(window_->BatchRunning());

  // The shortcuts and the Delete key of the window, and its close box.
  for (const Qt::Key key : {Qt::Key_C, Qt::Key_V, Qt::Key_F}) {
    QTest::keyClick(window_.get(), key, Qt::ControlModifier);
  }
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(List(), &del);
  EXPECT_FALSE(window_->close());
  EXPECT_TRUE(window_->isVisible());
  EXPECT_FALSE(window_->findChild<QAction*>("Copier1")->isEnabled());
  EXPECT_TRUE(prompter_.questions().empty());  // neither the exit nor a deletion asked

  ASSERT_TRUE(QTest::qWaitFor([&] { return !copyWindow->isVisible(); }, 60000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return window_->link().IsIdle(); }, kWaitMs));
  EXPECT_FALSE(window_->BatchRunning());
  for (const std::string& name : names) {
    EXPECT_TRUE(std::filesystem::exists(destination.File(name))) << name;
    EXPECT_EQ(CountOf((*recorder_)->record(), "get " + name), 1) << name;
  }
  EXPECT_EQ(CountOf((*recorder_)->record(), "delete 03151234.312"), 0);
  EXPECT_EQ((*recorder_)->contents().tests.size(), 3u);
  EXPECT_TRUE(prompter_.questions().empty());
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(RecorderPane, ShortcutsRunTheMenusRulesWithoutOpeningThem) {
  Start(Contents({TestFile("03151234.312", "A"), TestFile("04021235.412", "B")}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, kWaitMs));
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  List()->setFocus();
  List()->topLevelItem(1)->setSelected(true);
  auto* remove = window_->findChild<QAction*>("Supprimer1");
  auto* copy = window_->findChild<QAction*>("Copier1");
  ASSERT_FALSE(remove->isEnabled());
  ASSERT_FALSE(copy->isEnabled());
  QTest::keyClick(List(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(remove->isEnabled());
  QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(copy->isEnabled());
  // Copying asks the recorder for nothing; the names wait for a paste.
  EXPECT_TRUE(window_->link().IsIdle());
  EXPECT_FALSE(window_->findChild<QMenu*>("Edition1")->isVisible());
  EXPECT_FALSE(window_->findChild<QMenu*>("Fichier")->isVisible());
  EXPECT_TRUE(prompter_.questions().empty());
}

TEST_F(RecorderPane, OneFileToDeleteIsNamedAndCancelKeepsIt) {
  Start(Contents({TestFile("03151234.312", "A"), TestFile("04021235.412", "B")}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, kWaitMs));
  prompter_.Script({PromptAnswer::Cancel});
  List()->topLevelItem(1)->setSelected(true);
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(List(), &del);
  ASSERT_EQ(prompter_.questions().size(), 1u);
  EXPECT_EQ(prompter_.questions()[0], "04021235.412. " + MessageUtf8(msg::kRemoveFile, 1));
  EXPECT_FALSE(window_->link().IsBusy());
  EXPECT_EQ((*recorder_)->contents().tests.size(), 2u);
}

TEST_F(RecorderPane, AllFilesModeListsTheChosenMemoryAndSwitchingOffListsTestsAgain) {
  Start(Contents({TestFile("03151234.312", "A")}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, kWaitMs));
  auto* dialog = window_->findChild<QDialog*>("PasswordDlg");
  testing::WhenIdle([dialog] {
    dialog->findChild<QLineEdit*>("Password")->setText("7859");
    dialog->accept();
  });
  window_->findChild<QAction*>("AllFiles")->trigger();
  ASSERT_TRUE(window_->AllFilesMode());
  auto* flashItem = window_->findChild<QRadioButton*>("ChoixDisk2");
  EXPECT_EQ(flashItem->text(), "E (Flash)");

  window_->findChild<QRadioButton*>("ChoixDisk1")->click();  // disk C
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return window_->RecorderFileCount() == 2 && StartupDone(); }, kWaitMs));
  EXPECT_EQ(Column(*window_, 0), (std::vector<std::string>{"flash.cnf", "REPORT.TXT"}));
  EXPECT_EQ(Column(*window_, 1), (std::vector<std::string>{"cnf", "TXT"}));

  window_->findChild<QAction*>("AllFiles")->trigger();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return window_->RecorderFileCount() == 1 && StartupDone(); }, kWaitMs));
  EXPECT_EQ(Column(*window_, 0), (std::vector<std::string>{"03151234.312"}));
}

TEST_F(RecorderPane, PortDialogComesBackAfterAFailedOpenAndMovesToAnotherPort) {
  RunningRecorder second(Contents({TestFile("05051111.105", "SECOND")}));
  ASSERT_TRUE(second.opened());
  Start(Contents({TestFile("03151234.312", "FIRST")}));
  platform::WriteProfileString(program_.File("tesmora.ini"), "PORTS", "COM2", second->devicePath());
  platform::WriteProfileString(program_.File("tesmora.ini"), "PORTS", "COM9",
                               program_.File("no-such-port"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, kWaitMs));
  // The settings' [PORTS] are read when the program starts; start again.
  window_.reset();
  window_ = std::make_unique<TFPtesm100q>(program_.path(), 0x0809, FastOptions(prompter_));
  window_->CreateOwnedWindows();
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, kWaitMs));

  auto* dialog = window_->findChild<QDialog*>("ChoixCom");
  const auto choose = [&](const char* button) {
    testing::WhenIdle([=] {
      dialog->findChild<QRadioButton*>(button)->setChecked(true);
      dialog->findChild<QAbstractButton*>("bbOK")->click();
    });
    window_->PortClick();
  };
  choose("rbCom9");
  ASSERT_FALSE(prompter_.messages().empty());
  EXPECT_EQ(prompter_.messages().back(),
            PortOpeningErrorText("COM9", {platform::OpenFailure::NoDevice, ""}, 1));
  EXPECT_EQ(window_->settings().portName, "COM1");
  EXPECT_EQ(platform::ReadProfileString(program_.File("tesmora.ini"), "LIAISON", "Port", ""),
            "COM1");
  EXPECT_EQ(window_->statusPanelText(1), "COM1");
  window_->RafraichirClick();  // the first recorder answers again
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return CountOf((*recorder_)->record(), "list") == 3; }, kWaitMs));
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, kWaitMs));
  EXPECT_EQ(Column(*window_, 2), (std::vector<std::string>{"FIRST"}));

  const std::size_t messages = prompter_.messages().size();
  choose("rbCom2");
  EXPECT_EQ(prompter_.messages().size(), messages);
  EXPECT_EQ(window_->settings().portName, "COM2");
  EXPECT_EQ(platform::ReadProfileString(program_.File("tesmora.ini"), "LIAISON", "Port", ""),
            "COM2");
  EXPECT_EQ(window_->statusPanelText(1), "COM2");
  window_->RafraichirClick();
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return Column(*window_, 2) == std::vector<std::string>{"SECOND"}; }, kWaitMs));
}

// A recorder on a USB adapter: the port dialog binds a port name to the
// adapter by its stable name, and the link moves there; bound anew, the
// current name moves the link too.
TEST_F(RecorderPane, PortDialogBindsTheChosenDeviceAndTheLinkMovesToIt) {
  RunningRecorder second(Contents({TestFile("05051111.105", "SECOND")}));
  ASSERT_TRUE(second.opened());
  const testing::SampleSerialDevices devices(second->devicePath());
  serialDevices_ = devices.roots();
  Start(Contents({TestFile("03151234.312", "FIRST")}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, kWaitMs));

  ChoosePort("rbCom3", 0);
  EXPECT_TRUE(prompter_.messages().empty()) << link::testing::Joined(prompter_.messages());
  EXPECT_EQ(platform::ReadProfileString(program_.File("tesmora.ini"), "PORTS", "COM3", ""),
            devices.stablePath());
  EXPECT_EQ(window_->settings().portName, "COM3");
  EXPECT_EQ(window_->statusPanelText(1), "COM3");
  window_->RafraichirClick();
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return Column(*window_, 2) == std::vector<std::string>{"SECOND"}; }, kWaitMs));

  ChoosePort("rbCom1");  // back to the first recorder, by name alone
  ASSERT_EQ(window_->settings().portName, "COM1");
  window_->RafraichirClick();
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return Column(*window_, 2) == std::vector<std::string>{"FIRST"}; }, kWaitMs));
  ChoosePort("rbCom1", 0);  // the current name bound to the adapter
  EXPECT_TRUE(prompter_.messages().empty()) << link::testing::Joined(prompter_.messages());
  EXPECT_EQ(platform::ReadProfileString(program_.File("tesmora.ini"), "PORTS", "COM1", ""),
            devices.stablePath());
  EXPECT_EQ(window_->settings().portName, "COM1");
  window_->RafraichirClick();
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return Column(*window_, 2) == std::vector<std::string>{"SECOND"}; }, kWaitMs));
}

// The adapter not plugged in when the program starts: after the opening
// error the status bar says the line is gone and nothing is asked of it;
// plugged in, the start-up sequence fills the list.
TEST_F(RecorderPane, AdapterMissingAtStartIsWaitedForAndTheListFillsWhenItIsPluggedIn) {
  const std::string stable = program_.File("usb-KALDIRONE-if00-port0");
  testing::WriteSettings(program_, "COM1", {{"COM1", stable}});
  window_ = std::make_unique<TFPtesm100q>(program_.path(), 0x0809, Options());
  window_->CreateOwnedWindows();
  window_->show();
  ASSERT_EQ(prompter_.messages(), std::vector<std::string>{PortOpeningErrorText(
                                      "COM1", {platform::OpenFailure::NoDevice, ""}, 1)});
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return window_->statusPanelText(3) == MessageUtf8(msg::kCommunicationProblem, 1).c_str();
      },
      kWaitMs));
  EXPECT_FALSE(window_->findChild<QTimer*>("Timer1")->isActive());
  EXPECT_FALSE(window_->portOpen());

  recorder_ = std::make_unique<RunningRecorder>(Contents({TestFile("03151234.312", "LATE")}));
  ASSERT_TRUE(recorder_->opened());
  ASSERT_EQ(::symlink((*recorder_)->devicePath().c_str(), stable.c_str()), 0);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return Column(*window_, 2) == std::vector<std::string>{"LATE"}; }, kWaitMs));
  EXPECT_TRUE(window_->portOpen());
  EXPECT_EQ(window_->statusPanelText(3), "");
  EXPECT_EQ(prompter_.messages().size(), 1u);
}

TEST_F(RecorderPane, ExitQuestionCancelKeepsTheProgramAndOkReleasesThePort) {
  Start(Contents({TestFile("03151234.312", "A")}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return StartupDone(); }, kWaitMs));
  prompter_.Script({PromptAnswer::Cancel});
  EXPECT_FALSE(window_->close());
  ASSERT_EQ(prompter_.questions().size(), 1u);
  EXPECT_EQ(prompter_.questions()[0], "Do you  really want to exit?");
  EXPECT_TRUE(window_->portOpen());
  EXPECT_FALSE(window_->link().Ended());
  EXPECT_TRUE(window_->isVisible());

  EXPECT_TRUE(window_->close());  // the fake answers OK
  EXPECT_EQ(prompter_.questions().size(), 2u);
  EXPECT_TRUE(window_->link().Ended());
  EXPECT_FALSE(window_->portOpen());
  EXPECT_FALSE(window_->isVisible());
}

}  // namespace
}  // namespace tesmora::ui
