// What the window manager is told each window is called. Qt appends an
// application display name to every title it hands the window system, which
// the offscreen platform never shows; here the titles are read back from the
// X server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <memory>
#include <string>

#include "link/link_fakes.h"
#include "shell/message_table.h"
#include "shell/window_placement.h"
#include "support/temp_dir.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/company_dialog.h"
#include "ui/dialogs/copy_window.h"
#include "ui/dialogs/deletion_window.h"
#include "ui/dialogs/message_box_prompter.h"
#include "ui/dialogs/password_dialog.h"
#include "ui/dialogs/port_dialog.h"

namespace tesmora::ui {
namespace {

// The window's _NET_WM_NAME as the X server holds it, in UTF-8.
std::string WindowManagerName(const QWidget& window) {
  const std::string command =
      "xprop -id " + std::to_string(window.winId()) + " -notype _NET_WM_NAME 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return "<xprop failed>";
  std::string output;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) output += buffer;
  // _NET_WM_NAME = "TEXT"
  const std::size_t first = output.find('"');
  const std::size_t last = output.rfind('"');
  if (first == std::string::npos || last == first) return "<no name: " + output + ">";
  return output.substr(first + 1, last - first - 1);
}

std::string ShownName(QWidget& window) {
  window.show();
  for (int pass = 0; pass < 20; ++pass) QCoreApplication::processEvents();
  return WindowManagerName(window);
}

LanguageState English() {
  LanguageState state;
  ChooseLanguage(state, 1);
  return state;
}

class WindowTitles : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
      GTEST_SKIP() << "needs the xcb platform, running on "
                   << QGuiApplication::platformName().toStdString();
    }
  }
  LanguageState language_ = English();
  tesmora::testing::TempDir program_;
  link::testing::FakePrompter prompter_;
};

TEST_F(WindowTitles, EachDialogShowsExactlyItsCaption) {
  TPasswordDlg password(language_);
  TChoixCom port(
      language_, [] { return std::string("COM1"); }, [](const std::string&, const std::string&) {});
  TFenCopie100b copy(language_);
  TFenSuiviSup100b deletion(language_);
  TAffVersion about(language_, [] { return std::string(); });
  TFormSociete company(language_, program_.path(), prompter_);
  const std::pair<QWidget*, MessageId> windows[] = {{&password, msg::kDisplayAllFilesTitle},
                                                    {&port, msg::kPortSelection},
                                                    {&copy, msg::kCopyTitle},
                                                    {&deletion, msg::kDeleteTitle},
                                                    {&about, msg::kAboutTitle},
                                                    {&company, msg::kCompany}};
  for (const auto& [window, message] : windows) {
    EXPECT_EQ(ShownName(*window), MessageUtf8(message, language_)) << message;
    window->hide();
  }
}

TEST_F(WindowTitles, AMessageBoxShowsExactlyItsCaption) {
  QWidget owner;
  owner.setWindowTitle(QString::fromUtf8(kApplicationTitle.data()));
  EXPECT_EQ(ShownName(owner), kApplicationTitle);
  MessageBoxPrompter boxes(&owner);
  std::string shown;
  QTimer::singleShot(100, [&] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      shown = ShownName(*box);
      static_cast<QDialog*>(box)->accept();
    }
  });
  boxes.ShowMessage("Tesmora", "Access denied", PromptIcon::Error, language_.MessageLanguageId);
  EXPECT_EQ(shown, "Tesmora");
}

}  // namespace
}  // namespace tesmora::ui
