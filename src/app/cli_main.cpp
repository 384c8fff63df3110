// tesmora-cli: Tesmora's work from a terminal or a script.
// Exit status: 0 success, 1 a failure that was reported, 2 wrong usage.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "app/cli_export_command.h"
#include "app/cli_ports_command.h"
#include "app/cli_recorder_commands.h"
#include "app/cli_sheet_command.h"

namespace {

constexpr const char* kUsage =
    "usage: tesmora-cli [--help] [--version] COMMAND [ARGS]\n"
    "\n"
    "Tesmora's command-line program. Commands (each takes --help):\n"
    "  export FILE...               write the export texts of test files\n"
    "  sheet (--pdf|--png|--ops) OUT FILE...\n"
    "                               draw the result sheets of test files\n";

void PrintUsage(std::FILE* out) {
  std::fputs(kUsage, out);
  std::fputs(tesmora::cli::kPortsCommandUsage, out);
  std::fputs(tesmora::cli::kRecorderCommandsUsage, out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    PrintUsage(stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("TESMORA 3.06");
    return 0;
  }
  if (argc >= 2 && std::string_view(argv[1]) == "export") {
    return tesmora::cli::RunExportCommand(argc, argv);
  }
  if (argc >= 2 && std::string_view(argv[1]) == "ports") {
    return tesmora::cli::RunPortsCommand(argc - 1, argv + 1);
  }
  if (argc >= 2 && std::string_view(argv[1]) == "sheet") {
    return tesmora::cli::RunSheetCommand(argc, argv);
  }
  if (argc >= 2 && tesmora::cli::IsRecorderCommand(argv[1])) {
    return tesmora::cli::RunRecorderCommand(argc - 1, argv + 1);
  }
  PrintUsage(stderr);
  return 2;
}
