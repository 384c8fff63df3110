// What a user waits for in the PC pane: filling the PC list for a folder of
// many files (listing, rows, sorting), in the normal and the display-all-files
// modes, and expanding a folder of many subfolders (listing each one level
// deeper, sorting). The folders are made once in a temporary folder and stay
// in the page cache, as a folder the user just looked at does.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "bench_folder.h"
#include "explorer/folder_tree.h"
#include "explorer/pc_list.h"
#include "explorer_folders.h"
#include "platform/bounded_file_system.h"

namespace {

using namespace tesmora;
using namespace tesmora::explorer;

using bench::FileSystemOver;
using bench::Folder;
using bench::MakeTestFiles;

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

void ExpandNodeCase(benchmark::State& state, bool bounded) {
  Folder root;
  const int count = static_cast<int>(state.range(0));
  const std::string big = root.path() + "/Archive";
  bench::MakeSubfolders(big, count);
  std::shared_ptr<platform::FileSystem> fs = FileSystemOver(root.path());
  // As the window lists: each listing on a thread of its own, waited for a
  // bounded time.
  if (bounded) fs = std::make_shared<platform::BoundedFileSystem>(fs, std::chrono::seconds(4));
  FolderTree tree;
  tree.Fill(*fs);
  const NodeId archive = tree.FindChild(tree.Roots().front(), "Archive");
  for (auto _ : state) {
    const ExpandOutcome outcome = tree.Expand(archive, *fs);
    benchmark::DoNotOptimize(outcome.listed);
  }
  state.counters["children"] = static_cast<double>(tree.Node(archive).children.size());
}

void BM_ExpandNode(benchmark::State& state) { ExpandNodeCase(state, false); }
void BM_ExpandNodeBounded(benchmark::State& state) { ExpandNodeCase(state, true); }

}  // namespace

BENCHMARK(BM_FillPcList)->Name("FillPcList")->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillPcListAllFiles)
    ->Name("FillPcListAllFiles")
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickColumn)->Name("ClickColumn")->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandNode)->Name("ExpandNode")->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandNodeBounded)
    ->Name("ExpandNodeBounded")
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
