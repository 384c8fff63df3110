#include "app/cli_export_command.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/cli_command_line.h"
#include "app/cli_common.h"
#include "platform/locale.h"
#include "platform/paths.h"
#include "records/exporter.h"
#include "shell/languages.h"

namespace tesmora::cli {

namespace {

struct Options {
  ExportSettings settings;
  std::string outputDirectory;
  std::vector<std::string> files;
};

int RunExportCommand(int argc, char** argv) {
  Options options;
  options.settings.languageIndex =
      LanguageFromLocale(platform::UserDefaultLocaleId()).LanguageIndex;
  CommandLine line(kExportCommand);
  line->add_option("--lang", options.settings.languageIndex)
      ->type_name(LanguageCodes())
      ->transform(LanguageCode());
  line->add_option("--out", options.outputDirectory)->type_name("DIR");
  line->add_option("--version-text", options.settings.versionText)->type_name("TEXT");
  line->add_option_function<int>(
          "--basis-flags",
          [&](int flags) { options.settings.basisFlags = static_cast<std::uint8_t>(flags); })
      ->type_name("N")
      ->transform(IntegerIn(0, 255, 0));
  line->add_option("files", options.files)->type_name("FILE")->required();
  if (const std::optional<int> status = line.Parse(argc, argv)) return *status;

  const std::unique_ptr<Exporter> exporter = ProgramExporter(options.settings.languageIndex);

  int status = 0;
  for (const std::string& path : options.files) {
    const auto [folder, name] = platform::SplitPath(path);
    const Exporter::Outcome outcome =
        exporter->ExportTestFile(folder, name, options.settings, options.outputDirectory);
    for (const std::string& message : outcome.messages) {
      std::fprintf(stderr, "%s\n", message.c_str());
    }
    if (outcome.ok) {
      std::printf("%s\n", outcome.exportPath.c_str());
    } else {
      status = 1;
    }
  }
  return status;
}

}  // namespace

const Command kExportCommand{
    .name = "export",
    .synopsis = "export FILE...",
    .summary = "write the export texts of test files",
    .description =
        "\n"
        "Writes the export text of each test file beside it, or into DIR, with the\n"
        "customer and protocol lists of the program directory. The language defaults\n"
        "to the user's locale. --version-text is the recorder's version text for the\n"
        "first line; --basis-flags the recorder's basis byte (4: % MS, 8: % b 14).\n"
        "A failed file is reported on standard error and the others go on.\n"
        "Exit status: 0 all exported, 1 some failed, 2 wrong usage.\n",
    .run = RunExportCommand,
};

}  // namespace tesmora::cli
