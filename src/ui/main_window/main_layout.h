#pragma once

#include "shell/languages.h"

class QMainWindow;
class QSplitter;
class QWidget;

namespace tesmora::ui {

class PcPane;
class RecorderPane;
class StatusPanels;

// The main window's central area: the recorder pane on the left, a
// splitter, and the PC pane filling the rest.
struct MainPanes {
  QWidget* Panel2 = nullptr;
  QSplitter* Splitter2 = nullptr;
  RecorderPane* recorder = nullptr;
  PcPane* pc = nullptr;
};
MainPanes BuildMainPanes(QMainWindow& window, const LanguageState& language);

// The design geometry of a 1024 x 768 screen, scaled to the primary screen:
// the window's first size, the panes' and the tree's widths, the status
// panels' widths. The splitters and layouts share out the rest.
void ScaleToScreen(QMainWindow& window, const MainPanes& panes, StatusPanels& status);

}  // namespace tesmora::ui
