#include "app/cli_console.h"

#include <cstdio>

namespace tesmora::cli {

void ConsoleSession::ShowMessage(std::string_view, std::string_view text, PromptIcon icon,
                                 std::uint16_t) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  std::lock_guard lock(mutex_);
  if (icon == PromptIcon::Error) ++errors_;
}

void ConsoleSession::ShowDeleteProgress(const std::string& name) {
  if (verbose_) std::fprintf(stderr, "deleting %s\n", name.c_str());
}

void ConsoleSession::PcFileStored(const std::string& folder, const std::string& name, DateSource) {
  std::printf("%s%s\n", folder.c_str(), name.c_str());
  std::fflush(stdout);
}

void ConsoleSession::LineHungUp() {
  std::fputs("tesmora-cli: the line to the recorder has hung up\n", stderr);
}

void ConsoleSession::LineBack() {
  std::fputs("tesmora-cli: the line to the recorder is back\n", stderr);
}

}  // namespace tesmora::cli
