#include "ui/main_window/application_setup.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include "shell/window_placement.h"
#include "ui/common/artwork.h"
#include "ui/common/dialog_frame.h"

namespace tesmora::ui {

void SetUpApplication(QApplication& application) {
  QApplication::setApplicationName(FromUtf8(kApplicationTitle));
  QPixmap icon(64, 64);
  icon.fill(Qt::transparent);
  {
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintLogo(painter, QRectF(0, 0, 64, 64));
  }
  application.setWindowIcon(QIcon(icon));
}

}  // namespace tesmora::ui
