#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "shell/company.h"
#include "shell/languages.h"
#include "shell/prompter.h"

class QLabel;
class QLineEdit;

namespace tesmora::ui {

// Configuration > Company: the four lines printed at the head of every sheet.
// They are read from the company file when the dialog is created and written
// back at every close, whichever way it is closed.
class TFormSociete : public QDialog {
  Q_OBJECT

 public:
  // `prompter` shows the error box of a line the sheet's code page cannot
  // hold, in the message language.
  TFormSociete(const LanguageState& language, std::string programDirectory, Prompter& prompter,
               QWidget* parent = nullptr);

  const structure_societe& company() const { return company_; }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BitBtn1Click();

  const LanguageState& language_;
  std::string programDirectory_;
  Prompter& prompter_;
  structure_societe company_;
  std::array<QLabel*, 4> labels_{};
  std::array<QLineEdit*, 4> edits_{};
};

}  // namespace tesmora::ui
