// The sheet window's printing: the print and set-up dialogs, the printer line,
// and print jobs that either go through or say in a box why they did not,
// keeping the window and its pages.
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>

#include "records/failure_text.h"
#include "sheet/sheet_print.h"
#include "sheet_painting/qt_canvas.h"
#include "shell/message_table.h"
#include "shell/window_placement.h"
#include "ui/common/dialog_frame.h"
#include "ui/sheet_window/print_job.h"
#include "ui/sheet_window/sheet_window.h"

namespace tesmora::ui {
namespace {}  // namespace

bool TficheGraphique::DrawPages(QPrinter& printer, const std::vector<int>& order) {
  if (order.empty()) return true;
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  const PageDevice device =
      PageDeviceOf(printer, static_cast<int>(paper.width()), static_cast<int>(paper.height()));
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i > 0) printer.newPage();
    PaintSheetPage(painter, pages_[static_cast<std::size_t>(order[i])], device);
  }
  return painter.end();
}

bool TficheGraphique::PrintPages(QPrinter& printer) {
  if (pages_.empty()) return false;
  // A queue that is gone, or turns jobs away, would take the job without a
  // word: ask before anything is sent.
  if (const std::optional<PrintTrouble> trouble = PrinterNotReady(printer)) {
    Report(*trouble, printer);
    return false;
  }
  printer.setDocName(FromUtf8(kApplicationTitle));
  printer.setFullPage(true);
  const bool range = printer.printRange() == QPrinter::PageRange;
  // A printer that cannot make copies itself gets them one after another.
  const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
  const std::vector<int> order =
      PrintOrder(static_cast<int>(pages_.size()), range ? printer.fromPage() : 0,
                 range ? printer.toPage() : 0, copies, printer.collateCopies());
  if (order.empty()) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool drawn = DrawPages(printer, order);
  // Asked at once: the answer is the last the server gave this thread.
  const std::optional<PrintTrouble> refused = drawn ? JobRefused(printer) : std::nullopt;
  QApplication::restoreOverrideCursor();
  if (!drawn || refused) {
    // Nothing went out: the window and its pages stay for another try.
    Report(drawn ? *refused : JobNotStarted(printer), printer);
    return false;
  }
  // The end of the job closes the window, shown or not, and empties it.
  done(QDialog::Accepted);
  return true;
}

void TficheGraphique::Report(const PrintTrouble& trouble, const QPrinter& printer) {
  prompter_.ShowMessage(kErrorCaption,
                        PrintFailureText(trouble.failure, PrintTarget(printer).toStdString(),
                                         trouble.reason.toStdString(), language_.LanguageIndex),
                        PromptIcon::Error, language_.MessageLanguageId);
}

bool TficheGraphique::RunPrintDialog() {
  const int count = static_cast<int>(pages_.size());
  // The PDF printer asks for its file each time, offering the last one (at
  // first, one named after the first test): the dialog asks before an
  // existing file is replaced.
  const std::string& first = pages_.front().SheetFileName;
  ProposeFileName(printer_, QString::fromStdString(first.substr(0, first.find('.'))));
  QPrintDialog dialog(&printer_, this);
  dialog.setObjectName("PrintDialog1");
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setMinMax(1, count);
  dialog.setFromTo(1, count);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  // The dialog may have chosen another printer.
  if (accepted) FollowPrinter();
  return accepted;
}

void TficheGraphique::BitBtn1Click() {
  if (pages_.empty()) return;
  if (RunPrintDialog()) PrintPages(printer_);
}

void TficheGraphique::PrintSelection(const std::string& folder,
                                     const std::vector<std::string>& names, TImpMulti& progress) {
  if (PreparePages(false, folder, names, &progress) == 0) return;
  // A print to a file asks for the file, each time; without any printer the
  // print dialog's PDF printer is the one there is.
  if (PrintsToFile(printer_) || printer_.printerName().isEmpty()) {
    if (!RunPrintDialog()) return;
  }
  PrintPages(printer_);
}

bool TficheGraphique::BitBtn2Click() {
  QPrintDialog dialog(&printer_, this);
  dialog.setObjectName("PrinterSetupDialog1");
  dialog.setWindowTitle(Message(msg::kPrinting, language_));
  dialog.setOptions({});
  if (dialog.exec() != QDialog::Accepted) return false;
  // Only this window's printer changes: the machine's default stays as it is.
  SelectedPrinterName = printer_.printerName().toStdString();
  FollowPrinter();
  return true;
}

void TficheGraphique::FollowPrinter() {
  TakeMarginsOfPrinter(printer_);
  JvPreviewControl1->updatePreview();
  ShowPrinterLine();
}

void TficheGraphique::ShowPrinterLine() {
  const QString name = PrintsToFile(printer_) || printer_.printerName().isEmpty()
                           ? UiString(UiText::PdfFile, language_)
                           : printer_.printerName();
  const QRect printable = PrintableArea(printer_);
  txtImprimante->setText(FromUtf8(PrinterLineText(
      name.toStdString(), printable.width(), printable.height(),
      {printer_.logicalDpiX(), printer_.logicalDpiY()}, sources_.settings().decimalSeparator)));
  // A screen reader hears the line as it reads now.
  txtImprimante->setAccessibleDescription(txtImprimante->text());
}

}  // namespace tesmora::ui
