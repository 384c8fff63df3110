#pragma once

namespace tesmora::cli {

// tesmora-cli sheet: test files to result sheets, one page per test, as a
// PDF, PNG pictures or the drawing dump. Returns the exit status.
int RunSheetCommand(int argc, char** argv);

}  // namespace tesmora::cli
