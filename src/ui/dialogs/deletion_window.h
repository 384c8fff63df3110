#pragma once

#include <QDialog>
#include <string>

#include "shell/languages.h"
#include "ui/common/dialog_frame.h"

class QLabel;

namespace tesmora::ui {

// Follows the deletion of recorder files, one name after another; the owner
// sets onEscape to stop after the current file.
class TFenSuiviSup100b : public BatchProgressDialog {
  Q_OBJECT

 public:
  explicit TFenSuiviSup100b(const LanguageState& language, QWidget* parent = nullptr);

  // The name being deleted; shows the window when it is hidden.
  void ShowName(const std::string& name);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  const LanguageState& language_;
  QLabel* name_ = nullptr;
};

}  // namespace tesmora::ui
