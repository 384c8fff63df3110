// Result sheets: one page loaded, drawn and written to a PDF (goal: under
// 50 ms), and the preview of 100 selected tests prepared in the sheet window
// (goal: under 5 s, the window painting meanwhile), with the memory that the
// 100 prepared pages hold.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>

#include <QApplication>
#include <QPrintPreviewWidget>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_folder.h"
#include "fixtures/test_file_writer.h"
#include "offscreen_main.h"
#include "records/exporter.h"
#include "sheet/sheet_loader.h"
#include "sheet_painting/sheet_files.h"
#include "ui/sheet_window/sheet_window.h"

namespace {

using namespace tesmora;

using bench::Folder;

void Write(const std::string& path, const fixtures::Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// Test number i of a selection: inflation and consistency tests in turn, of
// every kind with a sheet.
std::string WriteTest(const Folder& folder, int i) {
  static constexpr char kKinds[] = {'1', '2', '3', '6', '4', '5'};
  const char kind = kKinds[i % 6];
  char name[24];
  std::snprintf(name, sizeof name, "0315%04d.%c26", i, kind);
  const auto seed = static_cast<std::uint32_t>(i + 1);
  Write(folder.File(name),
        kind == '4' || kind == '5'
            ? fixtures::BuildConsistencyFile(fixtures::RealisticConsistencyTest(seed, kind))
            : fixtures::BuildInflationFile(fixtures::RealisticInflationTest(seed, kind)));
  return name;
}

SheetSettings Settings() {
  SheetSettings settings;
  settings.company.lines = {"Laboratoire", "1 rue des Bl\xe9s", "75000 PARIS", "France"};
  return settings;
}

class QuietPrompter : public Prompter {
 public:
  void ShowMessage(std::string_view, std::string_view, PromptIcon, std::uint16_t) override {}
  PromptAnswer Ask(std::string_view, std::string_view, PromptButtons, PromptIcon,
                   std::uint16_t) override {
    return PromptAnswer::Ok;
  }
};

void SheetPageToPdf(benchmark::State& state) {
  Folder folder;
  const std::string name = WriteTest(folder, 0);
  Exporter exporter(folder.path(), folder.path());
  SheetData sheet;
  for (auto _ : state) {
    SheetLoad load = LoadSheetTest(exporter, Settings(), 0, folder.path(), name, sheet);
    if (!load.page || !ui::WritePagesToPdf(folder.File("sheet.pdf"), {*load.page}, {300, 300})) {
      state.SkipWithError("the page was not written");
      break;
    }
  }
}
BENCHMARK(SheetPageToPdf)->Unit(benchmark::kMillisecond);

void PreparePages(benchmark::State& state) {
  Folder folder;
  std::vector<std::string> names;
  for (int i = 0; i < state.range(0); ++i) names.push_back(WriteTest(folder, i));
  LanguageState language;
  QuietPrompter prompter;
  ui::SheetSources sources;
  sources.exporter = std::make_shared<Exporter>(folder.path(), folder.path());
  sources.settings = Settings;
  ui::TficheGraphique window(language, sources, prompter);
  window.show();
  std::size_t held = 0;
  for (auto _ : state) {
    window.done(0);  // an empty preview, as each opening starts
    const std::size_t before = mallinfo2().uordblks;
    const int pages = window.PreparePages(true, folder.path(), names);
    // The preview records its pages as it paints them: part of the work.
    QApplication::processEvents();
    held = mallinfo2().uordblks - before;
    if (pages != state.range(0)) state.SkipWithError("a page is missing");
  }
  state.counters["pages"] = static_cast<double>(state.range(0));
  state.counters["MB_held"] = static_cast<double>(held) / (1024.0 * 1024.0);
  state.counters["kB_per_page"] = static_cast<double>(held) / 1024.0 / state.range(0);
}
BENCHMARK(PreparePages)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return tesmora::bench::RunOffscreenBenchmarks(argc, argv); }
