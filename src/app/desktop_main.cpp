// The desktop program: the splash window while every window is created, then
// the main window until it closes.
//
//   tesmora [--measure-startup]
//
// --measure-startup prints how long the program took from its start to a
// shown and painted main window, then closes it (used by bench/).
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <exception>

#include "platform/locale.h"
#include "platform/paths.h"
#include "shell/window_placement.h"
#include "ui/dialogs/splash_window.h"
#include "ui/main_window/application_setup.h"
#include "ui/main_window/main_window.h"

namespace {

QString Title() { return QString::fromUtf8(tesmora::kApplicationTitle.data()); }

void ShowException(const char* what) {
  QMessageBox::critical(nullptr, Title(), QString::fromLocal8Bit(what));
}

// An exception escaping an event handler is shown, and the program goes on.
class TesmoraApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
      ShowException(error.what());
    } catch (...) {
      ShowException("Unknown error");
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  TesmoraApplication application(argc, argv);
  const bool measureStartup = argc > 1 && std::strcmp(argv[1], "--measure-startup") == 0;
  tesmora::ui::SetUpApplication(application);
  try {
    auto* splash = new tesmora::ui::TSplash_dlg;
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    tesmora::ui::TFPtesm100q mainWindow(tesmora::platform::ProgramDirectory(),
                                        tesmora::platform::UserDefaultLocaleId());
    mainWindow.CreateOwnedWindows();
    splash->close();
    delete splash;

    mainWindow.showMaximized();
    if (measureStartup) {
      // The first pass of the event loop paints the shown window.
      QTimer::singleShot(0, &mainWindow, [&] {
        std::printf("main window shown after %lld ms\n",
                    static_cast<long long>(sinceStart.elapsed()));
        std::fflush(stdout);
        QApplication::exit(0);
      });
    }
    return QApplication::exec();
  } catch (const std::exception& error) {
    ShowException(error.what());
  } catch (...) {
    ShowException("Unknown error");
  }
  return 0;
}
