#pragma once

#include <string_view>

namespace tesmora::cli {

// One command of tesmora-cli: what the program's --help says of it, what its
// own --help says under the usage line, and the function that runs it (its
// argv[0] is the command's name; it returns the exit status: 0 success, 1 a
// failure that was reported, 2 wrong usage). `run` defines the command's
// options on a CommandLine made from this (app/cli_command_line.h).
struct Command {
  std::string_view name;
  std::string_view synopsis;     // beside the summary in the program's --help
  std::string_view summary;      // its lines broken where they are to break
  std::string_view description;  // under the command's usage line
  int (*run)(int argc, char** argv);
};

}  // namespace tesmora::cli
