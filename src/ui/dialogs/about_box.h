#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "shell/languages.h"

class QLabel;

namespace tesmora::ui {

// ? > About: the program's and the recorder's versions and the legal notice.
class TAffVersion : public QDialog {
  Q_OBJECT

 public:
  // `recorderVersion` gives the version text the recorder last reported, as
  // its bytes, empty until the recorder has answered.
  TAffVersion(const LanguageState& language, std::function<std::string()> recorderVersion,
              QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void ShowVersions();

  const LanguageState& language_;
  std::function<std::string()> recorderVersion_;
  QLabel* recorderVersionLabel_ = nullptr;
  QLabel* programVersionLabel_ = nullptr;
  QLabel* programMark_ = nullptr;
  QLabel* notice_ = nullptr;
};

}  // namespace tesmora::ui
