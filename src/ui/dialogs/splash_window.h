#pragma once

#include <QWidget>

namespace tesmora::ui {

// Shown while the windows are being created, half see-through over the
// desktop, in the upper part of the screen.
class TSplash_dlg : public QWidget {
  Q_OBJECT

 public:
  explicit TSplash_dlg(QWidget* parent = nullptr);
};

}  // namespace tesmora::ui
