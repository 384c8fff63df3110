#pragma once

#include <string>

namespace tesmora::platform {

// What the print spooler says of a printer just before a job goes to it.
enum class PrinterReadiness {
  Ready,
  // The spooler does not answer at all (its server is stopped or gone).
  NoSpooler,
  // The spooler answers but knows no printer of that name (any more).
  Unknown,
  // The printer is there but turns jobs away at present.
  Refusing,
};

struct PrinterState {
  PrinterReadiness readiness = PrinterReadiness::Ready;
  // The spooler's own words on why, when it gives any.
  std::string reason;
};

// Asks the spooler (the one the environment names, as the toolkit's printing
// does) about the named printer ("name" or "name/instance").
PrinterState AskSpoolerAbout(const std::string& printerName);

// The spooler's answer to the last request this thread made of it: granted,
// or refused with the spooler's reason. The toolkit hands a print job to the
// spooler when its painting ends, on the painting thread, and keeps the answer
// to itself: asked right after, this is that answer.
struct SpoolerAnswer {
  bool granted = true;
  std::string reason;
};
SpoolerAnswer LastSpoolerAnswer();

}  // namespace tesmora::platform
