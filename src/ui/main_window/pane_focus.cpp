#include "ui/main_window/pane_focus.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTreeWidget>

#include "ui/pc_pane/pc_pane.h"

namespace tesmora::ui {

PaneFocusWatch::PaneFocusWatch(QWidget& window, QTreeWidget& recorderList, const PcPane& pc)
    : QObject(&window), window_(window), recorderList_(recorderList), pc_(pc) {
  qApp->installEventFilter(this);
  focusConnection_ =
      connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        const bool inWindow = now != nullptr && window_.isAncestorOf(now);
        if (inWindow) last_ = Of(now);
        if (old == &recorderList_ && now != &recorderList_ && (now == nullptr || inWindow) &&
            onRecorderListLeft) {
          onRecorderListLeft();
        }
      });
}

PaneFocusWatch::~PaneFocusWatch() {
  // The widgets' own destruction moves the focus; the window is going by
  // then.
  disconnect(focusConnection_);
  qApp->removeEventFilter(this);
}

PaneFocus PaneFocusWatch::Of(const QObject* control) const {
  if (control == &recorderList_) return PaneFocus::RecorderList;
  if (control == pc_.list()) return PaneFocus::PcList;
  if (control == pc_.tree()) return PaneFocus::FolderTree;
  return PaneFocus::Other;
}

PaneFocus PaneFocusWatch::Focus() const {
  if (last_ == PaneFocus::FolderTree && !pc_.HasSelectedNode()) return PaneFocus::Other;
  return last_;
}

bool PaneFocusWatch::eventFilter(QObject* watched, QEvent* event) {
  // The Delete key (46) in a list or the tree deletes its selection.
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    const PaneFocus pane = Of(watched);
    if (pane != PaneFocus::Other) {
      last_ = pane;
      if (onDeleteKey) onDeleteKey();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tesmora::ui
