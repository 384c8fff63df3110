#pragma once

// The main of a benchmark of the windows: Qt's offscreen platform unless
// another is asked for, so that it runs without a display.
#include <benchmark/benchmark.h>

#include <QApplication>

namespace tesmora::bench {

inline int RunOffscreenBenchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace tesmora::bench
