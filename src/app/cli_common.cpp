#include "app/cli_common.h"

#include <cstdio>
#include <string>

#include "platform/paths.h"
#include "records/exporter.h"

namespace tesmora::cli {

std::unique_ptr<Exporter> ProgramExporter(int languageIndex) {
  auto exporter =
      std::make_unique<Exporter>(platform::ProgramDirectory(), platform::CurrentWorkingDirectory());
  for (const std::string& message : exporter->LoadCustomerAndProtocolLists(languageIndex)) {
    std::fprintf(stderr, "tesmora-cli: %s\n", message.c_str());
  }
  return exporter;
}

}  // namespace tesmora::cli
