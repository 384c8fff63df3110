#include "ui/main_window/main_layout.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/main_window_rules.h"
#include "ui/main_window/status_panels.h"
#include "ui/pc_pane/pc_pane.h"
#include "ui/recorder_pane/recorder_pane.h"

namespace tesmora::ui {
namespace {

constexpr Geometry kPanel3Design{0, 8, 425, 657};
constexpr Geometry kTreeDesign{464, 188, 305, 617};
constexpr Geometry kWindowDesign{0, 0, 1024, 768};

}  // namespace

MainPanes BuildMainPanes(QMainWindow& window, const LanguageState& language) {
  MainPanes panes;
  panes.Panel2 = new QWidget(&window);
  panes.Panel2->setObjectName("Panel2");
  auto* layout = new QVBoxLayout(panes.Panel2);
  layout->setContentsMargins(0, 0, 0, 0);
  panes.Splitter2 = new QSplitter(Qt::Horizontal, panes.Panel2);
  panes.Splitter2->setObjectName("Splitter2");
  panes.Splitter2->setChildrenCollapsible(false);
  layout->addWidget(panes.Splitter2);
  panes.recorder = new RecorderPane(language, panes.Splitter2);
  panes.pc = new PcPane(language, panes.Splitter2);
  panes.Splitter2->setStretchFactor(1, 1);
  window.setCentralWidget(panes.Panel2);
  return panes;
}

void ScaleToScreen(QMainWindow& window, const MainPanes& panes, StatusPanels& status) {
  QSize screenSize(1024, 768);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) screenSize = screen->size();
  const ScreenScale scale = ScaleForScreen(screenSize.width(), screenSize.height());
  const Geometry scaled = ScaleGeometry(kWindowDesign, scale);
  window.resize(scaled.width, scaled.height);
  const int recorderWidth = ScaleGeometry(kPanel3Design, scale).width;
  panes.Splitter2->setSizes({recorderWidth, std::max(1, scaled.width - recorderWidth)});
  panes.pc->SetTreeWidth(ScaleGeometry(kTreeDesign, scale).width, scaled.width - recorderWidth);
  status.ApplyWidths(scale);
}

}  // namespace tesmora::ui
