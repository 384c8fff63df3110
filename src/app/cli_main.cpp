// tesmora-cli: Tesmora's work from a terminal or a script.
// Exit status: 0 success, 1 a failure that was reported, 2 wrong usage.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli_command.h"
#include "app/cli_export_command.h"
#include "app/cli_ports_command.h"
#include "app/cli_recorder_commands.h"
#include "app/cli_sheet_command.h"

namespace {

using tesmora::cli::Command;

// The commands, in the order the program's --help lists them.
std::vector<const Command*> Commands() {
  std::vector<const Command*> commands{&tesmora::cli::kExportCommand, &tesmora::cli::kSheetCommand,
                                       &tesmora::cli::kPortsCommand};
  for (const Command* command : tesmora::cli::RecorderCommands()) commands.push_back(command);
  return commands;
}

// A summary starts in this column, under its synopsis when that is too wide.
constexpr std::size_t kSummaryColumn = 31;

std::string Overview() {
  std::string text =
      "usage: tesmora-cli [--help] [--version] COMMAND [ARGS]\n"
      "\n"
      "Tesmora's command-line program. Commands (each takes --help):\n";
  const std::string margin(kSummaryColumn, ' ');
  for (const Command* command : Commands()) {
    std::string line = "  " + std::string(command->synopsis);
    line += line.size() < kSummaryColumn ? std::string(kSummaryColumn - line.size(), ' ')
                                         : "\n" + margin;
    for (const char c : command->summary) line += c == '\n' ? "\n" + margin : std::string(1, c);
    text += line + "\n";
  }
  return text + std::string(tesmora::cli::kRecorderCommandsNote);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view first = argc >= 2 ? argv[1] : "";
  if (argc == 2 && (first == "--help" || first == "-h")) {
    std::fputs(Overview().c_str(), stdout);
    return 0;
  }
  if (argc == 2 && first == "--version") {
    std::puts("TESMORA 3.06");
    return 0;
  }
  for (const Command* command : Commands()) {
    if (first == command->name) return command->run(argc - 1, argv + 1);
  }
  std::fputs(Overview().c_str(), stderr);
  return 2;
}
