#pragma once

#include <QDialog>
#include <QString>

#include "shell/languages.h"

class QLabel;
class QLineEdit;

namespace tesmora::ui {

// Guards the display-all-files mode; the caller compares the typed text with
// the password.
class TPasswordDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TPasswordDlg(const LanguageState& language, QWidget* parent = nullptr);

  QString typedPassword() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  const LanguageState& language_;
  QLabel* prompt_ = nullptr;
  QLineEdit* password_ = nullptr;
};

}  // namespace tesmora::ui
