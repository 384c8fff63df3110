#include "app/cli_sheet_command.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli_common.h"
#include "app/cli_sheet_output.h"
#include "platform/locale.h"
#include "platform/paths.h"
#include "records/exporter.h"
#include "sheet/sheet_loader.h"
#include "sheet/sheet_page.h"
#include "shell/company.h"
#include "shell/languages.h"

namespace tesmora::cli {

namespace {

constexpr const char* kSheetUsage =
    "usage: tesmora-cli sheet [--lang fr|en|es|it|pt|de|pl|cs] [--dpi N] [--decimal C]\n"
    "                         [--version-text TEXT] (--pdf OUT | --png DIR | --ops OUT)\n"
    "                         FILE...\n"
    "\n"
    "Draws the result sheet of each test file, one page per test in the order\n"
    "given, on A4 paper at N dots per inch (default 300, from 50 to 1200), with\n"
    "the company lines and the customer and protocol lists of the program\n"
    "directory. --pdf writes one PDF of all pages; --png one PNG per page into\n"
    "DIR (made when missing), named after the test file with \".png\" added;\n"
    "--ops the drawing dump (\"-\" for standard output), its texts measured in the\n"
    "fonts the sheets print in. The language and the decimal separator default\n"
    "to the user's locale; --version-text is the recorder's version text printed\n"
    "at the foot of the header (empty by default).\n"
    "A file that is not a test of a kind with a sheet, or whose export fails, is\n"
    "reported on standard error and gives no page. Without an installed font that\n"
    "draws the sheets, the missing face is reported and nothing is written.\n"
    "Exit status: 0 every file gave a page, 1 some did not or nothing could be\n"
    "written, 2 wrong usage.\n";

constexpr int kMinDpi = 50;
constexpr int kMaxDpi = 1200;

int Usage() {
  std::fputs(kSheetUsage, stderr);
  return 2;
}

struct Options {
  SheetSettings settings;
  int dpi = 300;
  std::optional<SheetOutput> output;
  std::string target;
  std::vector<std::string> files;
};

bool ParseDpi(const char* text, int& dpi) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < kMinDpi || value > kMaxDpi) return false;
  dpi = static_cast<int>(value);
  return true;
}

bool ChooseOutput(Options& options, SheetOutput output, const char* target) {
  if (options.output || *target == '\0') return false;
  options.output = output;
  options.target = target;
  return true;
}

// Returns false on wrong usage.
bool ParseOptions(int argc, char** argv, Options& options) {
  options.settings.languageIndex =
      LanguageFromLocale(platform::UserDefaultLocaleId()).LanguageIndex;
  options.settings.decimalSeparator = platform::UserDecimalSeparator();
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--lang" && hasValue) {
      const LanguageEntry* language = FindLanguageByCode(argv[++i]);
      if (language == nullptr) return false;
      options.settings.languageIndex = language->languageIndex;
    } else if (arg == "--dpi" && hasValue) {
      if (!ParseDpi(argv[++i], options.dpi)) return false;
    } else if (arg == "--decimal" && hasValue) {
      options.settings.decimalSeparator = argv[++i];
      if (options.settings.decimalSeparator.empty()) return false;
    } else if (arg == "--version-text" && hasValue) {
      options.settings.versionText = argv[++i];
    } else if (arg == "--pdf" && hasValue) {
      if (!ChooseOutput(options, SheetOutput::Pdf, argv[++i])) return false;
    } else if (arg == "--png" && hasValue) {
      if (!ChooseOutput(options, SheetOutput::Png, argv[++i])) return false;
    } else if (arg == "--ops" && hasValue) {
      if (!ChooseOutput(options, SheetOutput::Ops, argv[++i])) return false;
    } else if (!TakeFileArguments(argc, argv, i, options.files)) {
      return false;
    }
  }
  return options.output && !options.files.empty();
}

// The pages of the files that load, in their order; false when any gave none.
bool LoadPages(const Options& options, std::vector<SheetPage>& pages) {
  const std::unique_ptr<Exporter> exporter = ProgramExporter(options.settings.languageIndex);
  // One sheet data for the run, as the desktop program keeps: a protocol
  // survives a test that sets none.
  SheetData sheet;
  bool allLoaded = true;
  for (const std::string& path : options.files) {
    const auto [folder, name] = platform::SplitPath(path);
    SheetLoad load = LoadSheetTest(*exporter, options.settings, 0, folder, name, sheet);
    for (const std::string& message : load.messages) std::fprintf(stderr, "%s\n", message.c_str());
    if (load.result == SheetLoadResult::NotASheetKind) {
      std::fprintf(stderr, "tesmora-cli: %s: not a test file of a kind with a sheet\n",
                   path.c_str());
    }
    if (load.page) {
      pages.push_back(std::move(*load.page));
    } else {
      allLoaded = false;
    }
  }
  return allLoaded;
}

}  // namespace

int RunSheetCommand(int argc, char** argv) {
  if (IsHelpRequest(argc, argv)) {
    std::fputs(kSheetUsage, stdout);
    return 0;
  }
  Options options;
  if (!ParseOptions(argc, argv, options)) return Usage();
  options.settings.company = ReadCompanyFile(platform::ProgramDirectory());

  std::vector<SheetPage> pages;
  const bool allLoaded = LoadPages(options, pages);
  // Nothing is written without a page: an empty PDF would look like a sheet.
  if (pages.empty()) return 1;
  const bool written =
      WriteSheets(*options.output, options.target, pages, {options.dpi, options.dpi});
  return allLoaded && written ? 0 : 1;
}

}  // namespace tesmora::cli
