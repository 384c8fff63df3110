#pragma once

#include <string_view>
#include <vector>

#include "app/cli_command.h"

namespace tesmora::cli {

// The recorder commands (list, version, get, put, delete, listen), in the
// order the program's --help lists them.
std::vector<const Command*> RecorderCommands();

// The line under them in the program's --help.
extern const std::string_view kRecorderCommandsNote;

}  // namespace tesmora::cli
