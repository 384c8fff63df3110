#pragma once

namespace tesmora::cli {

// tesmora-cli export: test files to export texts, as the desktop program
// writes them. Returns the exit status.
int RunExportCommand(int argc, char** argv);

}  // namespace tesmora::cli
