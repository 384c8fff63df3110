#include "shell/print_failure.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/languages.h"

namespace tesmora {
namespace {

struct FailureCase {
  PrintFailure failure;
  const char* target;
  const char* reason;
  int language;
  const char* text;
};

class PrintFailureTexts : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PrintFailureTexts, NameWhatWasPrintedToThenGiveTheReasonOnALineOfItsOwn) {
  const FailureCase& c = GetParam();
  EXPECT_EQ(PrintFailureText(c.failure, c.target, c.reason, c.language), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    EachFailure, PrintFailureTexts,
    ::testing::Values(
        FailureCase{PrintFailure::NoPrintServer, "Lab", "", kEnglish,
                    "The print server does not answer: nothing was printed on Lab."},
        FailureCase{PrintFailure::UnknownPrinter, "Lab", "The printer or class does not exist.",
                    kEnglish,
                    "The print server no longer knows the printer Lab: nothing was printed.\n"
                    "The printer or class does not exist."},
        FailureCase{PrintFailure::PrinterRefusing, "Lab", "Rejecting Jobs", kGerman,
                    "Der Drucker Lab nimmt derzeit keine Aufträge an: Es wurde nichts gedruckt.\n"
                    "Rejecting Jobs"},
        FailureCase{PrintFailure::JobRefused, "Lab", "Too many active jobs.", kFrench,
                    "L'imprimante Lab a refusé le travail d'impression : rien n'a été imprimé.\n"
                    "Too many active jobs."},
        // A file's name is set in as it is, even one that holds the marker.
        FailureCase{PrintFailure::JobNotStarted, "/home/lab/50%1 rye.pdf",
                    "No such file or directory", kEnglish,
                    "The printing on /home/lab/50%1 rye.pdf could not start: nothing was printed.\n"
                    "No such file or directory"}));

}  // namespace
}  // namespace tesmora
