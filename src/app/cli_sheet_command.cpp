#include "app/cli_sheet_command.h"

#include <cstdio>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/cli_command_line.h"
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

struct Options {
  SheetSettings settings;
  int dpi = 300;
  SheetOutput output = SheetOutput::Pdf;
  std::string target;
  std::vector<std::string> files;
};

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

int RunSheetCommand(int argc, char** argv) {
  Options options;
  options.settings.languageIndex =
      LanguageFromLocale(platform::UserDefaultLocaleId()).LanguageIndex;
  options.settings.decimalSeparator = platform::UserDecimalSeparator();
  CommandLine line(kSheetCommand);
  line->add_option("--lang", options.settings.languageIndex)
      ->type_name(LanguageCodes())
      ->transform(LanguageCode());
  line->add_option("--dpi", options.dpi)->type_name("N")->transform(IntegerIn(50, 1200, 10));
  line->add_option("--decimal", options.settings.decimalSeparator)
      ->type_name("C")
      ->check(NotEmpty());
  line->add_option("--version-text", options.settings.versionText)->type_name("TEXT");
  CLI::Option_group* outputs = OneOf(line.app(), "output");
  for (const auto& [name, output, target] :
       {std::tuple{"--pdf", SheetOutput::Pdf, "OUT"}, std::tuple{"--png", SheetOutput::Png, "DIR"},
        std::tuple{"--ops", SheetOutput::Ops, "OUT"}}) {
    outputs
        ->add_option_function<std::string>(name,
                                           [&options, output](const std::string& value) {
                                             options.output = output;
                                             options.target = value;
                                           })
        ->type_name(target)
        ->check(NotEmpty());
  }
  line->add_option("files", options.files)->type_name("FILE")->required();
  if (const std::optional<int> status = line.Parse(argc, argv)) return *status;
  options.settings.company = ReadCompanyFile(platform::ProgramDirectory());

  std::vector<SheetPage> pages;
  const bool allLoaded = LoadPages(options, pages);
  // Nothing is written without a page: an empty PDF would look like a sheet.
  if (pages.empty()) return 1;
  const bool written =
      WriteSheets(options.output, options.target, pages, {options.dpi, options.dpi});
  return allLoaded && written ? 0 : 1;
}

}  // namespace

const Command kSheetCommand{
    .name = "sheet",
    .synopsis = "sheet (--pdf|--png|--ops) OUT FILE...",
    .summary = "draw the result sheets of test files",
    .description =
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
        "written, 2 wrong usage.\n",
    .run = RunSheetCommand,
};

}  // namespace tesmora::cli
