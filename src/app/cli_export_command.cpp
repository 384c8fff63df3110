#include "app/cli_export_command.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli_common.h"
#include "platform/locale.h"
#include "platform/paths.h"
#include "records/exporter.h"
#include "shell/languages.h"

namespace tesmora::cli {

namespace {

constexpr const char* kExportUsage =
    "usage: tesmora-cli export [--lang fr|en|es|it|pt|de|pl|cs] [--out DIR]\n"
    "                          [--version-text TEXT] [--basis-flags N] FILE...\n"
    "\n"
    "Writes the export text of each test file beside it, or into DIR, with the\n"
    "customer and protocol lists of the program directory. The language defaults\n"
    "to the user's locale. --version-text is the recorder's version text for the\n"
    "first line; --basis-flags the recorder's basis byte (4: % MS, 8: % b 14).\n"
    "A failed file is reported on standard error and the others go on.\n"
    "Exit status: 0 all exported, 1 some failed, 2 wrong usage.\n";

int Usage() {
  std::fputs(kExportUsage, stderr);
  return 2;
}

struct Options {
  ExportSettings settings;
  std::string outputDirectory;
  std::vector<std::string> files;
};

bool ParseBasisFlags(const char* text, std::uint8_t& flags) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 0);
  if (end == text || *end != '\0' || value < 0 || value > 255) return false;
  flags = static_cast<std::uint8_t>(value);
  return true;
}

// Returns false on wrong usage.
bool ParseOptions(int argc, char** argv, Options& options) {
  options.settings.languageIndex =
      LanguageFromLocale(platform::UserDefaultLocaleId()).LanguageIndex;
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--lang" && hasValue) {
      const LanguageEntry* language = FindLanguageByCode(argv[++i]);
      if (language == nullptr) return false;
      options.settings.languageIndex = language->languageIndex;
    } else if (arg == "--out" && hasValue) {
      options.outputDirectory = argv[++i];
    } else if (arg == "--version-text" && hasValue) {
      options.settings.versionText = argv[++i];
    } else if (arg == "--basis-flags" && hasValue) {
      if (!ParseBasisFlags(argv[++i], options.settings.basisFlags)) return false;
    } else if (!TakeFileArguments(argc, argv, i, options.files)) {
      return false;
    }
  }
  return !options.files.empty();
}

}  // namespace

int RunExportCommand(int argc, char** argv) {
  if (IsHelpRequest(argc, argv)) {
    std::fputs(kExportUsage, stdout);
    return 0;
  }
  Options options;
  if (!ParseOptions(argc, argv, options)) return Usage();

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

}  // namespace tesmora::cli
