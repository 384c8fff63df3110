#include "ui/sheet_window/print_job.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>

#include "platform/print_spooler.h"

namespace tesmora::ui {
namespace {

// Why a file cannot be opened for writing, in the system's words; empty when
// it can now. A file the probe made is removed again.
QString WhyNotWritable(const QString& path) {
  QFile probe(path);
  const bool existed = probe.exists();
  if (probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
    probe.close();
    if (!existed) probe.remove();
    return {};
  }
  return probe.errorString();
}

}  // namespace

bool PrintsToFile(const QPrinter& printer) {
  return printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty();
}

QString PrintTarget(const QPrinter& printer) {
  return PrintsToFile(printer) ? QDir::toNativeSeparators(printer.outputFileName())
                               : printer.printerName();
}

std::optional<PrintTrouble> PrinterNotReady(const QPrinter& printer) {
  if (PrintsToFile(printer)) return std::nullopt;
  const platform::PrinterState state =
      platform::AskSpoolerAbout(printer.printerName().toStdString());
  const QString reason = QString::fromStdString(state.reason);
  switch (state.readiness) {
    case platform::PrinterReadiness::Ready:
      return std::nullopt;
    case platform::PrinterReadiness::NoSpooler:
      return PrintTrouble{PrintFailure::NoPrintServer, reason};
    case platform::PrinterReadiness::Unknown:
      return PrintTrouble{PrintFailure::UnknownPrinter, reason};
    case platform::PrinterReadiness::Refusing:
      break;
  }
  return PrintTrouble{PrintFailure::PrinterRefusing, reason};
}

PrintTrouble JobNotStarted(const QPrinter& printer) {
  return {PrintFailure::JobNotStarted,
          PrintsToFile(printer) ? WhyNotWritable(printer.outputFileName()) : QString()};
}

std::optional<PrintTrouble> JobRefused(const QPrinter& printer) {
  if (PrintsToFile(printer)) return std::nullopt;
  const platform::SpoolerAnswer answer = platform::LastSpoolerAnswer();
  if (answer.granted) return std::nullopt;
  return PrintTrouble{PrintFailure::JobRefused, QString::fromStdString(answer.reason)};
}

QRect PrintableArea(const QPrinter& printer) {
  QPageLayout printable = printer.pageLayout();
  printable.setMode(QPageLayout::StandardMode);
  printable.setMargins(printable.minimumMargins());
  return printable.paintRectPixels(printer.resolution());
}

void TakeMarginsOfPrinter(QPrinter& printer) {
  const QPageLayout layout = printer.pageLayout();
  printer.setPageMargins(layout.minimumMargins(), layout.units());
}

void ProposeFileName(QPrinter& printer, const QString& name) {
  if (printer.outputFormat() != QPrinter::PdfFormat || !printer.outputFileName().isEmpty()) return;
  printer.setOutputFileName(QDir::home().filePath(name + QStringLiteral(".pdf")));
}

}  // namespace tesmora::ui
