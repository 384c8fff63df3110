#pragma once

#include <QRect>
#include <QString>
#include <optional>

#include "shell/print_failure.h"

class QPrinter;

namespace tesmora::ui {

// What a print job goes to, and what can keep it from going through. The
// toolkit's printer says nothing of either: a print server's queue that
// cannot be reached takes the job without a word, and a file that cannot be
// written is only a painter that does not begin.

// True when the printer writes a file (the print dialog's PDF printer)
// rather than sending the job to a print server's queue.
bool PrintsToFile(const QPrinter& printer);
// The printer's name, or the path of the file it writes, as a box names it.
QString PrintTarget(const QPrinter& printer);

// A print that did not go through, and the words that say why.
struct PrintTrouble {
  PrintFailure failure;
  QString reason;
};

// Before a job: a server's queue must be known to a server that answers, and
// take jobs. Nothing to say for a file or a ready queue.
std::optional<PrintTrouble> PrinterNotReady(const QPrinter& printer);
// The painting of a job could not begin: why, as far as the system tells.
PrintTrouble JobNotStarted(const QPrinter& printer);
// Right after a job's painting ended: the server's refusal of the job the
// toolkit handed over, if it refused it. Nothing to say for a file.
std::optional<PrintTrouble> JobRefused(const QPrinter& printer);

// The part of the paper the printer can print on, in its dots: the paper
// less the printer's own unprintable margins (whatever margins the page
// layout keeps for itself).
QRect PrintableArea(const QPrinter& printer);
// After another printer was chosen: in full-page mode the toolkit keeps the
// margins of the printer chosen first; the page layout takes the new one's.
void TakeMarginsOfPrinter(QPrinter& printer);
// The PDF printer without a file yet gets one proposed, `name`.pdf in the
// home folder, so that the print dialog offers a file and not a folder.
void ProposeFileName(QPrinter& printer, const QString& name);

}  // namespace tesmora::ui
