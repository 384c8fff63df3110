#pragma once

#include <QString>
#include <array>

#include "shell/languages.h"
#include "shell/main_window_rules.h"

class QLabel;
class QStatusBar;

namespace tesmora::ui {

// The main window's status bar `StatusBarTesmora` and its panels 0 to 4:
// recorder counts, serial port, export data mode, a free panel, PC counts.
class StatusPanels {
 public:
  StatusPanels(QStatusBar& bar, const LanguageState& language);

  void SetText(int panel, const QString& text);
  QString Text(int panel) const;
  // Panels 0 to 3 scale with the screen's width; panel 4 keeps its 50.
  void ApplyWidths(const ScreenScale& scale);
  void Relabel();

 private:
  QStatusBar& bar_;
  const LanguageState& language_;
  std::array<QLabel*, kStatusPanelCount> panels_{};
};

}  // namespace tesmora::ui
