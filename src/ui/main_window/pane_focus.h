#pragma once

#include <QObject>
#include <functional>

#include "shell/main_window_rules.h"

class QTreeWidget;
class QWidget;

namespace tesmora::ui {

class PcPane;

// Which of the main window's three controls the menus look at: the last of
// the recorder list, the PC list and the folder tree that had the keyboard
// focus inside the window (a menu or a dialog taking the keyboard does not
// count). It also catches the Delete key in those three.
class PaneFocusWatch : public QObject {
 public:
  PaneFocusWatch(QWidget& window, QTreeWidget& recorderList, const PcPane& pc);
  ~PaneFocusWatch() override;

  // A tree without a selected node leaves nothing for the tree's rules.
  PaneFocus Focus() const;
  void Set(PaneFocus focus) { last_ = focus; }

  // The recorder list lost the focus to another control of the window.
  std::function<void()> onRecorderListLeft;
  // The Delete key in one of the three; it has become the focus.
  std::function<void()> onDeleteKey;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  PaneFocus Of(const QObject* control) const;

  QWidget& window_;
  QTreeWidget& recorderList_;
  const PcPane& pc_;
  PaneFocus last_ = PaneFocus::Other;
  QMetaObject::Connection focusConnection_;
};

}  // namespace tesmora::ui
