#pragma once

#include <string_view>

namespace tesmora::cli {

// Whether `command` is one of the recorder commands (list, version, get, put,
// delete, listen).
bool IsRecorderCommand(std::string_view command);

// Runs a recorder command; argv[0] is the command. Returns the exit status:
// 0 success, 1 a failure that was reported, 2 wrong usage.
int RunRecorderCommand(int argc, char** argv);

// Usage lines of the recorder commands, for the program's --help.
extern const char* const kRecorderCommandsUsage;

}  // namespace tesmora::cli
