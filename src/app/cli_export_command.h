#pragma once

#include "app/cli_command.h"

namespace tesmora::cli {

// tesmora-cli export: test files to export texts, as the desktop program
// writes them.
extern const Command kExportCommand;

}  // namespace tesmora::cli
