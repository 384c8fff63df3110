#include "app/cli_common.h"

#include <cstdio>
#include <cstring>

#include "platform/paths.h"
#include "records/exporter.h"

namespace tesmora::cli {

bool IsHelpRequest(int argc, char** argv) {
  return argc == 3 && (std::strcmp(argv[2], "--help") == 0 || std::strcmp(argv[2], "-h") == 0);
}

bool TakeFileArguments(int argc, char** argv, int& i, std::vector<std::string>& files) {
  const std::string_view arg = argv[i];
  if (arg == "--") {
    for (++i; i < argc; ++i) files.emplace_back(argv[i]);
    return true;
  }
  if (arg.starts_with("--")) return false;
  files.emplace_back(arg);
  return true;
}

std::unique_ptr<Exporter> ProgramExporter(int languageIndex) {
  auto exporter =
      std::make_unique<Exporter>(platform::ProgramDirectory(), platform::CurrentWorkingDirectory());
  for (const std::string& message : exporter->LoadCustomerAndProtocolLists(languageIndex)) {
    std::fprintf(stderr, "tesmora-cli: %s\n", message.c_str());
  }
  return exporter;
}

}  // namespace tesmora::cli
