#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "shell/languages.h"

class QButtonGroup;

namespace tesmora::ui {

// The serial port the link uses, COM1 to COM27. The dialog only picks the
// name; the owner moves the link to it.
class TChoixCom : public QDialog {
  Q_OBJECT

 public:
  TChoixCom(const LanguageState& language, std::function<std::string()> currentPort,
            std::function<void(const std::string&)> changePort, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void bbOKClick();

  const LanguageState& language_;
  std::function<std::string()> currentPort_;
  std::function<void(const std::string&)> changePort_;
  QButtonGroup* ports_ = nullptr;
};

}  // namespace tesmora::ui
