#pragma once

// Painting and font metrics need a QGuiApplication; a test program whose
// main does not make one gets it here, on the offscreen platform, for the
// rest of its run.

#include <QGuiApplication>

namespace tesmora::testing {

inline void EnsureGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tesmora-tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
}

}  // namespace tesmora::testing
