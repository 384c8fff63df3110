// Printing against a print server of the test's own: two queues whose jobs
// land in a folder. The printer line follows the printer chosen, and a server
// or a queue that does not take the job is said in a box, never lost
// silently.
#include "print_server.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QTest>
#include <memory>

#include "print_window_fixture.h"
#include "shell/languages.h"
#include "shell/print_failure.h"

namespace tesmora::ui {
namespace {

using testing::ChoosePrinter;
using testing::kWaitMs;
using testing::ModalAnswers;
using testing::PdfPageCount;
using testing::Press;
using testing::PrintQueue;
using testing::PrivatePrintServer;

// Two A4 printers with printable areas of their own: A 575 × 816 points
// (203 × 288 mm), B 535 × 760 points (189 × 268 mm).
PrintQueue QueueA() { return {"A", {10, 13, 585, 829}}; }
PrintQueue QueueB() { return {"B", {30, 40, 565, 800}}; }

class PrintServer : public testing::PrintingWindow {
 protected:
  // The server first, then the window: the printers are looked for when the
  // sheet window is made.
  void StartServerAndWindow(std::vector<PrintQueue> queues, int maxJobs = 0) {
    if (const std::string why = PrivatePrintServer::Unavailable(); !why.empty()) {
      GTEST_SKIP() << "No print server of the test's own: " << why;
    }
    server_ = std::make_unique<PrivatePrintServer>(queues, maxJobs);
    ASSERT_TRUE(server_->Start()) << server_->error();
    StartWithATest();
  }
  void TearDown() override {
    PrintingWindow::TearDown();
    server_.reset();
  }
  // Configuration > Printing, choosing `printer` in its dialog.
  void ChooseInConfiguration(const QString& printer) {
    QString dialogName;
    ModalAnswers answers({[&](QWidget* dialog) {
      dialogName = dialog->objectName();
      ASSERT_TRUE(ChoosePrinter(dialog, printer));
      Press(dialog, QDialogButtonBox::Ok);
    }});
    Action("Imprimante")->trigger();
    EXPECT_EQ(dialogName.toStdString(), "PrinterSetupDialog1");
    ASSERT_TRUE(answers.done());
  }
  bool JobsLanded(std::size_t count) {
    return QTest::qWaitFor([&] { return server_->Jobs().size() >= count; }, kWaitMs);
  }
  std::string Messages() { return testing::Joined(prompter_.messages()); }
  // The one box shown: its failure's sentence naming the printer, then the
  // server's words when `withReason`.
  void ExpectOneBox(PrintFailure failure, const std::string& printer, bool withReason) {
    ASSERT_EQ(prompter_.messages().size(), 1u) << Messages();
    const std::string text = prompter_.messages()[0];
    const std::string sentence = PrintFailureText(failure, printer, "", kEnglish);
    EXPECT_EQ(text.substr(0, sentence.size()), sentence) << text;
    EXPECT_EQ(text.size() > sentence.size() + 1, withReason) << text;
    EXPECT_EQ(prompter_.captions()[0], "Tesmora");
  }

  std::unique_ptr<PrivatePrintServer> server_;
};

TEST_F(PrintServer, ThePrinterLineFollowsThePrinterChosenWithItsOwnPrintableSize) {
  StartServerAndWindow({QueueA(), QueueB()});
  ASSERT_EQ(Sheet()->printer().printerName().toStdString(), "A");
  ChooseInConfiguration("B");
  EXPECT_EQ(PrinterLine()->text().toStdString(), "B ( 189mm x268 mm )");
  EXPECT_EQ(PrinterLine()->accessibleDescription().toStdString(),
            PrinterLine()->text().toStdString());

  // The preview opens on it, and its own set-up button goes back to A.
  QString shown;
  ModalAnswers answers({[&](QWidget*) {
                          shown = PrinterLine()->text();
                          Click(Sheet()->BitBtn2);
                        },
                        [&](QWidget* dialog) {
                          ASSERT_TRUE(ChoosePrinter(dialog, "A"));
                          Press(dialog, QDialogButtonBox::Ok);
                        },
                        [&](QWidget*) { Sheet()->done(QDialog::Rejected); }});
  PopupCommand("Graphique");
  ASSERT_TRUE(answers.done());
  EXPECT_EQ(shown.toStdString(), "B ( 189mm x268 mm )");
  EXPECT_EQ(PrinterLine()->text().toStdString(), "A ( 203mm x288 mm )");
  EXPECT_EQ(PrinterLine()->accessibleDescription().toStdString(),
            PrinterLine()->text().toStdString());
  EXPECT_EQ(Sheet()->SelectedPrinterName, "A");
}

TEST_F(PrintServer, AServerStoppedAfterStartIsSaidAndThePrintCanBeDoneAgainLater) {
  StartServerAndWindow({QueueA(), QueueB()});
  PopupCommand("Impression1");
  ASSERT_TRUE(JobsLanded(1)) << Messages() << server_->Log();
  EXPECT_EQ(PdfPageCount(server_->Jobs()[0]), 1);
  EXPECT_TRUE(prompter_.messages().empty()) << Messages();

  server_->Stop();
  PopupCommand("Impression1");
  ExpectOneBox(PrintFailure::NoPrintServer, "A", false);
  EXPECT_FALSE(window_->sheets()->ImpMulti->isVisible());

  // Once the server is back, the same command prints.
  ASSERT_TRUE(server_->Start()) << server_->error();
  PopupCommand("Impression1");
  ASSERT_TRUE(JobsLanded(2)) << Messages() << server_->Log();
  EXPECT_EQ(prompter_.messages().size(), 1u) << Messages();
}

TEST_F(PrintServer, APrinterThatTurnsJobsAwayIsSaidBeforeAnythingIsSent) {
  PrintQueue closed = QueueB();
  closed.accepting = false;
  StartServerAndWindow({QueueA(), closed});
  ChooseInConfiguration("B");
  PopupCommand("Impression1");
  ExpectOneBox(PrintFailure::PrinterRefusing, "B", false);
  EXPECT_TRUE(server_->Jobs().empty());
}

TEST_F(PrintServer, APrinterTakenOffTheServerAfterItWasChosenIsSaid) {
  StartServerAndWindow({QueueA(), QueueB()});
  ChooseInConfiguration("B");
  ASSERT_TRUE(server_->RemoveQueue("B")) << server_->Log();
  PopupCommand("Impression1");
  ExpectOneBox(PrintFailure::UnknownPrinter, "B", true);
  EXPECT_TRUE(server_->Jobs().empty());
}

TEST_F(PrintServer, AJobTheServerRefusesIsSaidAndThePreviewKeepsItsPages) {
  // A paused queue keeps its jobs; the server holds one job at a time.
  PrintQueue paused = QueueA();
  paused.paused = true;
  StartServerAndWindow({paused, QueueB()}, 1);
  PopupCommand("Impression1");
  ASSERT_TRUE(prompter_.messages().empty()) << Messages();

  // The second job is one too many: the preview says so and stays.
  SheetAfterPrint after;
  ModalAnswers answers({[&](QWidget*) { Click(Sheet()->BitBtn1); },
                        [&](QWidget* dialog) { Press(dialog, QDialogButtonBox::Ok); },
                        NoteAndCloseSheet(after)});
  PopupCommand("Graphique");
  ASSERT_TRUE(answers.done());
  EXPECT_TRUE(after.shown);
  EXPECT_EQ(after.pages, 1);
  ExpectOneBox(PrintFailure::JobRefused, "A", true);
}

}  // namespace
}  // namespace tesmora::ui
