// The window-title tests need a real window system: they run under Xvfb with
// the xcb platform, set up as the desktop program sets itself up.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/main_window/application_setup.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  tesmora::ui::SetUpApplication(application);
  return RUN_ALL_TESTS();
}
