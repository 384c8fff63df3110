// The desktop program.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "platform/locale.h"
#include "platform/paths.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(tesmora::ui::kApplicationTitle);
  QApplication::setApplicationDisplayName(tesmora::ui::kApplicationTitle);
  try {
    tesmora::ui::TFPtesm100q mainWindow(tesmora::platform::ProgramDirectory(),
                                        tesmora::platform::UserDefaultLocaleId());
    mainWindow.show();
    return QApplication::exec();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, tesmora::ui::kApplicationTitle,
                          QString::fromLocal8Bit(error.what()));
    return 0;
  }
}
