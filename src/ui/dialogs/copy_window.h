#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

#include "link/link_events.h"
#include "shell/languages.h"
#include "ui/common/dialog_frame.h"

class QLabel;
class QProgressBar;

namespace tesmora::ui {

// Follows a batch of transfers file by file. The owner sets onEscape (the
// user asks to stop after the current file) and onShown (a new batch clears
// an earlier cancel).
class TFenCopie100b : public BatchProgressDialog {
  Q_OBJECT

 public:
  explicit TFenCopie100b(const LanguageState& language, QWidget* parent = nullptr);

  // A new file: its name and direction, the progress back at 0; shows the
  // window when it is hidden.
  void ShowContent(const link::CopyWindowContent& content);
  void Progress(link::CopyProgressEvent event);
  // A program's bytes: the bar moves by the points they make up.
  void ProgramProgress(std::uint32_t sent, std::uint32_t count);

  std::function<void()> onShown;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  const LanguageState& language_;
  QLabel* fileName_ = nullptr;
  QLabel* direction_ = nullptr;
  QLabel* transferLabel_ = nullptr;
  QProgressBar* progress_ = nullptr;
};

}  // namespace tesmora::ui
