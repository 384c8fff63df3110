#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "shell/languages.h"

class QLabel;
class QLineEdit;

namespace tesmora::ui {

// File > New folder and the automatic save directory dialog's New archive:
// the parent folder shown, the new name typed. The caller creates the folder
// (explorer/new_folder.h) once the dialog returns OK.
class TFenNewRep : public QDialog {
  Q_OBJECT

 public:
  TFenNewRep(const LanguageState& language, QWidget* parent);

  // The name typed under OK, nothing under Cancel.
  std::optional<std::string> Ask(const std::string& parentPath);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Relabel();

  const LanguageState& language_;
  QLabel* zaRepCour = nullptr;
  QLabel* zaRepCourant = nullptr;
  QLabel* zaNomNewRep = nullptr;
  QLineEdit* zeNewRep = nullptr;
};

}  // namespace tesmora::ui
