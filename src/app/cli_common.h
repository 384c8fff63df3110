#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tesmora {
class Exporter;
}  // namespace tesmora

namespace tesmora::cli {

// What the commands on test files share.

// `tesmora-cli COMMAND --help` (or -h) and nothing else.
bool IsHelpRequest(int argc, char** argv);

// An argument that is no option of the command: "--" makes every argument
// after it a file, another "--..." is wrong usage (false), anything else is a
// file. `i` moves past what was taken.
bool TakeFileArguments(int argc, char** argv, int& i, std::vector<std::string>& files);

// The exporter of the program directory, its customer and protocol lists
// loaded; what failed to load is reported on standard error.
std::unique_ptr<Exporter> ProgramExporter(int languageIndex);

}  // namespace tesmora::cli
