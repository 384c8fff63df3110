#include "ui/main_window/status_panels.h"

#include <QLabel>
#include <QStatusBar>

#include "shell/ui_texts.h"
#include "ui/common/dialog_frame.h"
#include "ui/common/pane_widgets.h"

namespace tesmora::ui {
namespace {}  // namespace

StatusPanels::StatusPanels(QStatusBar& bar, const LanguageState& language)
    : bar_(bar), language_(language) {
  bar.setObjectName("StatusBarTesmora");
  bar.setSizeGripEnabled(true);
  for (int panel = 0; panel < kStatusPanelCount; ++panel) {
    auto* label = new QLabel(&bar);
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(panel));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setContentsMargins(3, 0, 3, 0);
    // The last panel takes what is left of the bar, as a status bar's last
    // panel does.
    bar.addPermanentWidget(label, panel == kStatusPanelCount - 1 ? 1 : 0);
    panels_[static_cast<std::size_t>(panel)] = label;
  }
}

void StatusPanels::SetText(int panel, const QString& text) {
  panels_.at(static_cast<std::size_t>(panel))->setText(text);
}

QString StatusPanels::Text(int panel) const {
  return panels_.at(static_cast<std::size_t>(panel))->text();
}

void StatusPanels::ApplyWidths(const ScreenScale& scale) {
  const std::array<int, kStatusPanelCount> widths = StatusPanelWidths(scale);
  for (std::size_t panel = 0; panel < panels_.size(); ++panel) {
    panels_[panel]->setMinimumWidth(widths[panel]);
  }
}

void StatusPanels::Relabel() {
  const int lang = language_.LanguageIndex;
  NameForReader(bar_, FromUtf8(UiTextUtf8(UiText::StatusBar, lang)));
  const std::array<QString, kStatusPanelCount> names{
      FromUtf8(UiTextUtf8(UiText::RecorderCount, lang)), Message(msg::kSerialLink, language_),
      Message(msg::kExportDataMode, language_), FromUtf8(UiTextUtf8(UiText::FreePanel, lang)),
      FromUtf8(UiTextUtf8(UiText::PcCount, lang))};
  // A panel is heard by what it shows ("13 File(s)"), described by what it
  // counts or tells.
  for (std::size_t panel = 0; panel < panels_.size(); ++panel) {
    DescribeLabelForReader(*panels_[panel], names[panel]);
  }
}

}  // namespace tesmora::ui
