#pragma once

#include <QDialog>
#include <QSize>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string_view>

#include "sheet_painting/utf8_text.h"
#include "shell/languages.h"
#include "shell/message_ids.h"
#include "shell/ui_texts.h"

class QCloseEvent;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QPushButton;

namespace tesmora::ui {

// A message of the table in the current language, ready for a widget.
QString Message(MessageId id, const LanguageState& language);

// A UI text of shell/ui_texts.h in the current language.
QString UiString(UiText text, const LanguageState& language);

// A control's name and description for a screen reader.
void NameForReader(QWidget& control, const QString& name, const QString& description = {});

// A label for a screen reader: heard by its text, as it changes, with what
// it is as its description.
void DescribeLabelForReader(QLabel& label, const QString& what);

// Names every control of a small window for a screen reader: those listed
// by component name get that name and description, except labels that show
// a text, which are heard by that text and described by the name listed;
// buttons are named by their own text.
struct ReaderName {
  const char* component;
  QString name;
  QString description;
};
void NameControlsForReader(QWidget& window, std::initializer_list<ReaderName> names);

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
  // The window manager's close (Alt+F4, a close box some managers draw
  // anyway) would hide the window while the reader thread still feeds it;
  // only the owner closes it, when the batch is done.
  void closeEvent(QCloseEvent* event) override;
  // The window's ESC button, centred in the row returned for the layout.
  QHBoxLayout* AddEscapeButton(const char* name);

 private:
  void EscapeRequested();
};

}  // namespace tesmora::ui
