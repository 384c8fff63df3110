#pragma once

// The main window with a test in its home folder, for printing it as a user
// does: the popup of the PC list, the sheet window, the print dialogs.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <string>

#include "pc_window_fixture.h"
#include "print_test_support.h"
#include "ui/main_window/sheet_commands.h"
#include "ui/sheet_window/imp_multi.h"
#include "ui/sheet_window/sheet_window.h"

namespace tesmora::ui::testing {

class PrintingWindow : public PcPaneWindow {
 protected:
  static constexpr const char* kTest = "03021001.126";

  // The window on a home folder holding one inflation test, its row selected.
  void StartWithATest() {
    WriteFile(home_.File(kTest), InflationTestBytes());
    Start(sim::RecorderContents{});
    ASSERT_TRUE(QTest::qWaitFor([&] { return Listed(kTest); }, kWaitMs));
    SelectRows(List(), {kTest});
  }
  QAction* Action(const char* name) { return window_->findChild<QAction*>(name); }
  TficheGraphique* Sheet() { return window_->sheets()->ficheGraphique; }
  QLabel* PrinterLine() { return Sheet()->txtImprimante; }

  // A right click on the selected row, then an item of the popup. The
  // command runs to its end (the windows it opens answered meanwhile).
  void PopupCommand(const char* item) {
    QTreeWidgetItem* row = List()->selectedItems().value(0);
    ASSERT_NE(row, nullptr);
    emit List()->customContextMenuRequested(List()->visualItemRect(row).center());
    window_->findChild<QMenu*>("PupMnu")->close();
    ASSERT_TRUE(Action(item)->isEnabled()) << item;
    Action(item)->trigger();
  }
  // A click on a button of the sheet window.
  static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  // The sheet window as it is when it comes back to the top after a print
  // that did not go through.
  struct SheetAfterPrint {
    bool shown = false;
    int pages = -1;
  };
  // The step that notes it, then closes the window.
  ModalAnswers::Step NoteAndCloseSheet(SheetAfterPrint& after) {
    return [this, &after](QWidget* top) {
      after.shown = top == Sheet() && Sheet()->isVisible();
      after.pages = static_cast<int>(Sheet()->pages().size());
      Sheet()->done(QDialog::Rejected);
    };
  }
};

}  // namespace tesmora::ui::testing
