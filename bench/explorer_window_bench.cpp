// The window stays responsive while the PC pane fills a big folder or expands
// a big node: the folder is listed on a worker thread, and the window's own
// share of the work (the rows, the tree items, their painting) must never hold
// its event loop for more than 100 ms. A 5 ms timer measures the longest gap
// between its ticks from the request until the result shows
// (`max_loop_gap_ms`), on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <string>

#include "bench_folder.h"
#include "explorer_folders.h"
#include "offscreen_main.h"
#include "shell/languages.h"
#include "ui/pc_pane/folder_tree_view.h"
#include "ui/pc_pane/pc_pane.h"

namespace {

using namespace tesmora;

using bench::Folder;

constexpr int kTickMs = 5;
// Ticks after the result is in, so that its first painting is counted too.
constexpr int kTicksAfter = 3;

struct LoopRun {
  double untilDoneSeconds = 0;
  double maxGapMs = 0;
};

// Runs the event loop from `request` until `done`, recording the longest
// interval between two ticks of a 5 ms timer.
LoopRun RunLoopUntil(const std::function<void()>& request, const std::function<bool()>& done) {
  LoopRun run;
  QEventLoop loop;
  QTimer ticks;
  ticks.setTimerType(Qt::PreciseTimer);
  ticks.setInterval(kTickMs);
  QElapsedTimer clock, sinceTick;
  int ticksLeft = -1;
  QObject::connect(&ticks, &QTimer::timeout, &loop, [&] {
    run.maxGapMs = std::max(run.maxGapMs, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
    sinceTick.start();
    if (ticksLeft < 0 && done()) {
      run.untilDoneSeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
      ticksLeft = kTicksAfter;
    }
    if (ticksLeft >= 0 && ticksLeft-- == 0) loop.quit();
  });
  ticks.start();
  clock.start();
  sinceTick.start();
  request();
  loop.exec();
  return run;
}

// The PC pane shown on a home folder made for the case, its start-up fill
// over.
class ShownPane {
 public:
  explicit ShownPane(const Folder& home, bool allFiles) : pane_(language_, nullptr) {
    state_.allFilesMode = allFiles;
    pane_.resize(800, 600);
    pane_.SetTreeWidth(250, 800);
    pane_.Relabel();
    pane_.show();
    RunLoopUntil([&] { pane_.Start(bench::FileSystemOver(home.path()), state_); },
                 [&] { return !pane_.Busy(); });
  }
  ui::PcPane& pane() { return pane_; }
  explorer::NodeId Child(const std::string& name) {
    return pane_.folderTree().FindChild(pane_.folderTree().Roots().front(), name);
  }

 private:
  LanguageState language_;
  ApplicationState state_;
  ui::PcPane pane_;
};

void FillCase(benchmark::State& state, bool allFiles) {
  Folder home;
  const int count = static_cast<int>(state.range(0));
  bench::MakeTestFiles(home.File("Tests"), count);
  bench::MakeTestFiles(home.File("Few"), 1);
  ShownPane shown(home, allFiles);
  ui::PcPane& pane = shown.pane();
  const explorer::NodeId tests = shown.Child("Tests"), few = shown.Child("Few");
  double maxGapMs = 0;
  for (auto _ : state) {
    // From a folder of one file to the big one, as a user clicks.
    RunLoopUntil([&] { pane.FillList(few); }, [&] { return !pane.Busy(); });
    const LoopRun run = RunLoopUntil([&] { pane.FillList(tests); }, [&] { return !pane.Busy(); });
    state.SetIterationTime(run.untilDoneSeconds);
    maxGapMs = std::max(maxGapMs, run.maxGapMs);
    if (pane.list()->topLevelItemCount() != static_cast<int>(pane.pcList().rows().size()) ||
        pane.PcFileCount() == 0) {
      state.SkipWithError("the list does not show the folder's rows");
      break;
    }
  }
  state.counters["max_loop_gap_ms"] = maxGapMs;
  state.counters["rows"] = pane.list()->topLevelItemCount();
}

void PcPaneFill(benchmark::State& state) { FillCase(state, false); }
void PcPaneFillAllFiles(benchmark::State& state) { FillCase(state, true); }

void PcPaneExpand(benchmark::State& state) {
  Folder home;
  const int count = static_cast<int>(state.range(0));
  bench::MakeSubfolders(home.File("Archive"), count);
  const bool allFiles = false;
  ShownPane shown(home, allFiles);
  ui::PcPane& pane = shown.pane();
  ui::FolderTreeView& tree = *pane.treeView();
  const explorer::NodeId archive = shown.Child("Archive");
  double maxGapMs = 0;
  for (auto _ : state) {
    RunLoopUntil([&] { tree.ItemOf(archive)->setExpanded(false); }, [] { return true; });
    const LoopRun run = RunLoopUntil([&] { tree.ItemOf(archive)->setExpanded(true); },
                                     [&] { return !pane.Busy(); });
    state.SetIterationTime(run.untilDoneSeconds);
    maxGapMs = std::max(maxGapMs, run.maxGapMs);
    const QTreeWidgetItem* item = tree.ItemOf(archive);
    if (!item->isExpanded() || item->childCount() != count) {
      state.SkipWithError("the node does not show its subfolders");
      break;
    }
  }
  state.counters["max_loop_gap_ms"] = maxGapMs;
  state.counters["children"] = tree.ItemOf(archive)->childCount();
}

}  // namespace

BENCHMARK(PcPaneFill)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PcPaneFillAllFiles)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PcPaneExpand)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return tesmora::bench::RunOffscreenBenchmarks(argc, argv); }
