#include "shell/print_failure.h"

#include "shell/ui_texts.h"

namespace tesmora {
namespace {

UiText SentenceOf(PrintFailure failure) {
  switch (failure) {
    case PrintFailure::NoPrintServer:
      return UiText::PrintServerSilent;
    case PrintFailure::UnknownPrinter:
      return UiText::PrinterUnknown;
    case PrintFailure::PrinterRefusing:
      return UiText::PrinterRefusing;
    case PrintFailure::JobRefused:
      return UiText::PrintJobRefused;
    case PrintFailure::JobNotStarted:
      break;
  }
  return UiText::PrintNotStarted;
}

}  // namespace

std::string PrintFailureText(PrintFailure failure, std::string_view target, std::string_view reason,
                             int languageIndex) {
  std::string text(UiTextUtf8(SentenceOf(failure), languageIndex));
  if (const std::size_t at = text.find("%1"); at != std::string::npos) {
    text.replace(at, 2, target);
  }
  if (!reason.empty()) {
    text += '\n';
    text += reason;
  }
  return text;
}

}  // namespace tesmora
