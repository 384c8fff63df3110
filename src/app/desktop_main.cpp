// The desktop program.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "platform/locale.h"
#include "platform/paths.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(tesmora::kApplicationTitle.data()));
  QApplication::setApplicationDisplayName(QString::fromUtf8(tesmora::kApplicationTitle.data()));
  try {
    tesmora::ui::TFPtesm100q mainWindow(tesmora::platform::ProgramDirectory(),
                                        tesmora::platform::UserDefaultLocaleId());
    mainWindow.show();
    return QApplication::exec();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, QString::fromUtf8(tesmora::kApplicationTitle.data()),
                          QString::fromLocal8Bit(error.what()));
    return 0;
  }
}
