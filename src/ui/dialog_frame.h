#pragma once

#include <QDialog>
#include <QSize>
#include <QString>
#include <functional>
#include <string_view>

#include "shell/languages.h"

class QHBoxLayout;
class QKeyEvent;
class QPushButton;

namespace tesmora::ui {

// UTF-8 text for a widget.
QString FromUtf8(std::string_view text);

// A message of the table in the current language, ready for a widget.
QString Message(int id, const LanguageState& language);

// Windows are centred on the primary screen when they are created, with the
// halves truncated as everywhere else in the program.
void CentreOnPrimaryScreen(QWidget& window);

// The small windows keep the size they were designed with, unless a longer
// translation or a larger screen font needs more room: then they grow rather
// than clip their texts.
void FixSizeAtLeast(QWidget& window, QSize designed);

// The two buttons of the modal dialogs: OK is the default button and its
// click is left to the dialog; ESC closes with Cancel.
struct OkEscButtons {
  QPushButton* ok;
  QPushButton* esc;
};
OkEscButtons AddOkEscButtons(QDialog& dialog, const char* okName, const char* escName);

// The copy and deletion windows: no title-bar buttons, and ESC (the button or
// the key) only asks the owner to stop the batch. The owner closes the window
// when the reader thread has finished with the current file, so the key must
// not close it here.
class BatchProgressDialog : public QDialog {
 public:
  explicit BatchProgressDialog(QWidget* parent);

  std::function<void()> onEscape;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The window's ESC button, centred in the row returned for the layout.
  QHBoxLayout* AddEscapeButton(const char* name);

 private:
  void EscapeRequested();
};

}  // namespace tesmora::ui
