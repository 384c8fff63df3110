// Printing on a machine without any printer, with the window's own printer
// as the user leaves it from one print to the next: the print dialog's PDF
// printer serves, a file is never replaced without the question, and a print
// that cannot start says why and loses nothing.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "print_server.h"
#include "print_window_fixture.h"
#include "shell/languages.h"
#include "shell/print_failure.h"

namespace tesmora::ui {
namespace {

using testing::Answer;
using testing::ChooseFile;
using testing::FileNameField;
using testing::ModalAnswers;
using testing::PdfPageCount;
using testing::Press;
using testing::ReadFile;

class NoPrinter : public testing::PrintingWindow {
 protected:
  // Before any window: the printers are looked for when the sheet window
  // is made.
  testing::NoPrinters noPrinters_;
};

TEST_F(NoPrinter, PopupPrintOpensThePrintDialogWhosePdfPrinterServes) {
  StartWithATest();
  ASSERT_EQ(Sheet()->printer().outputFormat(), QPrinter::PdfFormat);
  const std::string pdf = home_.File("sheets.pdf");
  QString dialogName, proposed;
  ModalAnswers answers({[&](QWidget* dialog) {
    dialogName = dialog->objectName();
    proposed = FileNameField(dialog)->text();
    ChooseFile(dialog, pdf);
    Press(dialog, QDialogButtonBox::Ok);
  }});
  PopupCommand("Impression1");
  EXPECT_EQ(dialogName.toStdString(), "PrintDialog1");
  // A file to print to, not a folder the dialog would refuse.
  EXPECT_TRUE(proposed.endsWith(".pdf")) << proposed.toStdString();
  EXPECT_EQ(PdfPageCount(ReadFile(pdf)), 1);
  EXPECT_TRUE(prompter_.messages().empty()) << testing::Joined(prompter_.messages());
}

TEST_F(NoPrinter, PreviewPrintOpensThePrintDialogWhosePdfPrinterServes) {
  StartWithATest();
  const std::string pdf = home_.File("preview.pdf");
  bool closedByThePrint = false;
  ModalAnswers answers({[&](QWidget*) { Click(Sheet()->BitBtn1); },
                        [&](QWidget* dialog) {
                          ChooseFile(dialog, pdf);
                          Press(dialog, QDialogButtonBox::Ok);
                        }});
  QObject::connect(Sheet(), &QDialog::finished, [&] { closedByThePrint = answers.done(); });
  PopupCommand("Graphique");
  EXPECT_TRUE(closedByThePrint);
  EXPECT_EQ(PdfPageCount(ReadFile(pdf)), 1);
  EXPECT_TRUE(prompter_.messages().empty()) << testing::Joined(prompter_.messages());
}

TEST_F(NoPrinter, PrintingAgainToTheSameFileAsksBeforeReplacingIt) {
  StartWithATest();
  const std::string pdf = home_.File("sheets.pdf");
  {
    ModalAnswers first({[&](QWidget* dialog) {
      ChooseFile(dialog, pdf);
      Press(dialog, QDialogButtonBox::Ok);
    }});
    PopupCommand("Impression1");
    ASSERT_TRUE(first.done());
  }
  ASSERT_EQ(PdfPageCount(ReadFile(pdf)), 1);
  // What the laboratory filed meanwhile under that name.
  testing::WriteFile(pdf, "filed sheets");

  // The next print asks for the file again, offering the same one; keeping
  // it leaves it as it is.
  QString offered;
  QString question;
  ModalAnswers keep({[&](QWidget* dialog) {
                       offered = FileNameField(dialog)->text();
                       Press(dialog, QDialogButtonBox::Ok);
                     },
                     [&](QWidget* box) {
                       question = box->objectName() + qobject_cast<QMessageBox*>(box)->text();
                       Answer(box, QMessageBox::No);
                     },
                     [&](QWidget* dialog) { Press(dialog, QDialogButtonBox::Cancel); }});
  PopupCommand("Impression1");
  EXPECT_TRUE(keep.done());
  EXPECT_EQ(offered.toStdString(), pdf);
  EXPECT_TRUE(question.contains(QString::fromStdString(pdf))) << question.toStdString();
  EXPECT_EQ(ReadFile(pdf), "filed sheets");

  // Replacing it takes the same question, answered yes.
  ModalAnswers replace({[&](QWidget* dialog) { Press(dialog, QDialogButtonBox::Ok); },
                        [&](QWidget* box) { Answer(box, QMessageBox::Yes); }});
  PopupCommand("Impression1");
  EXPECT_TRUE(replace.done());
  EXPECT_EQ(PdfPageCount(ReadFile(pdf)), 1);
  EXPECT_TRUE(prompter_.messages().empty()) << testing::Joined(prompter_.messages());
}

TEST_F(NoPrinter, APrintThatCannotStartSaysWhyAndKeepsTheWindowAndItsPages) {
  StartWithATest();
  const std::string folder = home_.File("sheets");
  std::filesystem::create_directory(folder);
  const std::string pdf = folder + "/sheets.pdf";
  SheetAfterPrint after;
  ModalAnswers answers({[&](QWidget*) { Click(Sheet()->BitBtn1); },
                        [&](QWidget* dialog) {
                          ChooseFile(dialog, pdf);
                          // The folder goes between the dialog's checks and
                          // the job, as a share that drops out would.
                          QObject::connect(qobject_cast<QDialog*>(dialog), &QDialog::accepted,
                                           [&] { std::filesystem::remove_all(folder); });
                          Press(dialog, QDialogButtonBox::Ok);
                        },
                        NoteAndCloseSheet(after)});
  PopupCommand("Graphique");
  EXPECT_TRUE(answers.done());
  EXPECT_TRUE(after.shown);
  EXPECT_EQ(after.pages, 1);
  EXPECT_FALSE(std::filesystem::exists(pdf));
  // One box, naming the file and the system's reason.
  EXPECT_EQ(prompter_.messages(),
            std::vector<std::string>{PrintFailureText(PrintFailure::JobNotStarted, pdf,
                                                      std::strerror(ENOENT), kEnglish)});
}

}  // namespace
}  // namespace tesmora::ui
