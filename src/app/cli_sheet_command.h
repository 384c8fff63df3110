#pragma once

#include "app/cli_command.h"

namespace tesmora::cli {

// tesmora-cli sheet: test files to result sheets, one page per test, as a
// PDF, PNG pictures or the drawing dump.
extern const Command kSheetCommand;

}  // namespace tesmora::cli
