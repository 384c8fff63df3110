#pragma once

#include <string>
#include <string_view>

namespace tesmora {

// Why a print did not go through. Each is said in a box and costs nothing:
// the pages stay where they were, ready to be printed again.
enum class PrintFailure {
  // The print server does not answer at all.
  NoPrintServer,
  // The server answers but knows the chosen printer no more.
  UnknownPrinter,
  // The printer is there but turns jobs away at present.
  PrinterRefusing,
  // The job went to the server, which turned it down.
  JobRefused,
  // The job could not even begin (a file that cannot be written, say).
  JobNotStarted,
};

// The box's text in a language (0 French to 7 Czech): the failure's sentence
// naming `target` (the printer, or the file printed to), then `reason` (the
// server's or the system's own words) on a line of its own when there is one.
std::string PrintFailureText(PrintFailure failure, std::string_view target, std::string_view reason,
                             int languageIndex);

}  // namespace tesmora
