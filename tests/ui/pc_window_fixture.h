#pragma once

// The main window on a simulated recorder, its PC pane on a folder of the
// test's own (the home folder, the one selected at start).
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "ui/pc_pane/folder_tree_view.h"
#include "window_test_support.h"

namespace tesmora::ui::testing {

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A recorder with these tests and what the start-up sequence downloads
// besides the list, so that the link comes to rest.
inline sim::RecorderContents RecorderWithTests(std::vector<sim::RecorderFile> tests) {
  sim::RecorderContents contents;
  contents.tests = std::move(tests);
  contents.diskC = {{"flash.cnf", "E\r\n", "", false, std::nullopt}};
  contents.flash = {{"cliente.txt", std::string(2 + 140, 'c'), "", false, std::nullopt},
                    {"protocol.txt", std::string(2 + 21 * 20, 'p'), "", false, std::nullopt}};
  contents.flashLetter = 'E';
  return contents;
}

// The messages shown, for a failure's report.
inline std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += text + "\n";
  return joined;
}

class PcPaneWindow : public ::testing::Test {
 protected:
  // `autoSaveInHome`: the automatic save directory is the home folder, which
  // the list shows at start.
  void Start(sim::RecorderContents contents, bool autoSaveInHome = false) {
    recorder_ = std::make_unique<RunningRecorder>(std::move(contents));
    ASSERT_TRUE(recorder_->opened());
    WriteSettings(program_, "COM1", {{"COM1", (*recorder_)->devicePath()}});
    if (autoSaveInHome) {
      platform::WriteProfileString(program_.File("tesmora.ini"), "REPERTOIRE", "Sauvegarde Auto",
                                   home_.path() + "/");
    }
    MainWindowOptions options = FastOptions(prompter_);
    options.drives->homeFolder = home_.path();
    options.drives->mountTable = mountTable_;
    if (configure_) configure_(options);
    window_ = std::make_unique<TFPtesm100q>(program_.path(), 0x0809, options);
    window_->CreateOwnedWindows();
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Tree()->topLevelItemCount() > 0 && !Busy(); }, kWaitMs));
  }
  void TearDown() override {
    window_.reset();
    recorder_.reset();
  }
  FolderTreeView* Tree() { return window_->findChild<FolderTreeView*>("tvRepPc"); }
  QTreeWidget* List() { return window_->findChild<QTreeWidget*>("ListFichPC"); }
  QTreeWidget* RecorderList() { return window_->findChild<QTreeWidget*>("ListKald"); }
  bool Busy() { return Tree()->Busy(); }
  // The start-up sequence is over and no batch runs.
  bool LinkIdle() {
    return !window_->findChild<QTimer*>("Timer1")->isActive() && window_->link().IsIdle() &&
           !window_->BatchRunning();
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int row = 0; row < List()->topLevelItemCount(); ++row) {
      names.push_back(List()->topLevelItem(row)->text(0).toStdString());
    }
    return names;
  }
  bool Listed(const std::string& name) {
    const std::vector<std::string> names = Names();
    return std::find(names.begin(), names.end(), name) != names.end();
  }
  void FocusTree() {
    Tree()->setFocus();
    QApplication::processEvents();
  }
  // Focuses `list` with exactly the rows named selected.
  static void SelectRows(QTreeWidget* list, std::initializer_list<std::string> names) {
    list->setFocus();
    list->clearSelection();
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
      QTreeWidgetItem* item = list->topLevelItem(row);
      item->setSelected(std::find(names.begin(), names.end(), item->text(0).toStdString()) !=
                        names.end());
    }
    QApplication::processEvents();
  }
  // The key as the window system delivers it, press and release.
  static void PressDelete(QTreeWidget* list) { QTest::keyClick(list, Qt::Key_Delete); }

  // Changes to the window's options before Start creates it.
  std::function<void(MainWindowOptions&)> configure_;
  tesmora::testing::TempDir program_;
  tesmora::testing::TempDir home_;
  // A mount table of the test's own (network drives); none when empty.
  std::string mountTable_;
  link::testing::FakePrompter prompter_;
  std::unique_ptr<RunningRecorder> recorder_;
  std::unique_ptr<TFPtesm100q> window_;
};

}  // namespace tesmora::ui::testing
