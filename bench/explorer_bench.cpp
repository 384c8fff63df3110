// What a user waits for in the PC pane: filling the PC list for a folder of
// many files (listing, rows, sorting), in the normal and the display-all-files
// modes, and expanding a folder of many subfolders (listing each one level
// deeper, sorting). The folders are made once in a temporary folder and stay
// in the page cache, as a folder the user just looked at does.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_folder.h"
#include "explorer/folder_tree.h"
#include "explorer/pc_list.h"
#include "platform/file_times.h"
#include "platform/posix_file_system.h"

namespace {

using namespace tesmora;
using namespace tesmora::explorer;

using bench::Folder;

// A laboratory's archive: test files of every kind over the years, one in
// ten with its export beside it, and a few other files.
void MakeTestFiles(const std::string& folder, int count) {
  std::filesystem::create_directories(folder);
  static const char kKinds[] = "123456";
  for (int i = 0; i < count; ++i) {
    char name[32];
    const int month = 1 + i % 12, day = 1 + i % 28, year = (95 + i / 400) % 100;
    if (i % 10 == 9) {
      std::snprintf(name, sizeof name, "%02d%02d%04d.AHC", month, day, i % 10000);
    } else if (i % 50 == 7) {
      std::snprintf(name, sizeof name, "notes%05d.txt", i);
    } else {
      std::snprintf(name, sizeof name, "%02d%02d%04d.%c%02d", month, day, i % 10000, kKinds[i % 6],
                    year);
    }
    std::ofstream(folder + "/" + name) << "x";
  }
}

std::unique_ptr<platform::PosixFileSystem> FileSystemOver(const std::string& home) {
  platform::DriveSources sources;
  sources.mountTable = home + "/no-mount-table";
  sources.homeFolder = home;
  return std::make_unique<platform::PosixFileSystem>(sources);
}

void FillPcListCase(benchmark::State& state, bool allFiles) {
  Folder root;
  const int count = static_cast<int>(state.range(0));
  MakeTestFiles(root.path() + "/Tests", count);
  auto fs = FileSystemOver(root.path());
  FolderTree tree;
  tree.Fill(*fs);
  const NodeId tests = tree.FindChild(tree.Roots().front(), "Tests");
  PcList list;
  for (auto _ : state) {
    list.Fill(tree, tests, *fs, allFiles);
    benchmark::DoNotOptimize(list.rows().data());
  }
  state.counters["rows"] = list.PcFileCount();
}

void BM_FillPcList(benchmark::State& state) { FillPcListCase(state, false); }
void BM_FillPcListAllFiles(benchmark::State& state) { FillPcListCase(state, true); }

// A click on a column header re-sorts the rows present.
void BM_ClickColumn(benchmark::State& state) {
  Folder root;
  MakeTestFiles(root.path() + "/Tests", static_cast<int>(state.range(0)));
  auto fs = FileSystemOver(root.path());
  FolderTree tree;
  tree.Fill(*fs);
  PcList list;
  list.Fill(tree, tree.FindChild(tree.Roots().front(), "Tests"), *fs, false);
  int column = 0;
  for (auto _ : state) {
    list.ClickColumn(column);
    column = (column + 1) % 3;
    benchmark::DoNotOptimize(list.rows().data());
  }
}

void BM_ExpandNode(benchmark::State& state) {
  Folder root;
  const int count = static_cast<int>(state.range(0));
  const std::string big = root.path() + "/Archive";
  for (int i = 0; i < count; ++i) {
    // Every other subfolder has one of its own, to show an expand button.
    const std::string sub = big + "/Week " + std::to_string(count - i);
    std::filesystem::create_directories(i % 2 == 0 ? sub + "/Day" : sub);
  }
  auto fs = FileSystemOver(root.path());
  FolderTree tree;
  tree.Fill(*fs);
  const NodeId archive = tree.FindChild(tree.Roots().front(), "Archive");
  for (auto _ : state) {
    const ExpandOutcome outcome = tree.Expand(archive, *fs);
    benchmark::DoNotOptimize(outcome.listed);
  }
  state.counters["children"] = static_cast<double>(tree.Node(archive).children.size());
}

}  // namespace

BENCHMARK(BM_FillPcList)->Name("FillPcList")->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillPcListAllFiles)
    ->Name("FillPcListAllFiles")
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickColumn)->Name("ClickColumn")->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandNode)->Name("ExpandNode")->Arg(1000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
