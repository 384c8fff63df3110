#pragma once

#include <memory>

namespace tesmora {
class Exporter;
}  // namespace tesmora

namespace tesmora::cli {

// What the commands on test files share.

// The exporter of the program directory, its customer and protocol lists
// loaded; what failed to load is reported on standard error.
std::unique_ptr<Exporter> ProgramExporter(int languageIndex);

}  // namespace tesmora::cli
