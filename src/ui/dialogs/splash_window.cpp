#include "ui/dialogs/splash_window.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include "shell/window_placement.h"
#include "ui/common/artwork.h"
#include "ui/common/dialog_frame.h"

namespace tesmora::ui {
namespace {

constexpr int kWidth = 406;
constexpr int kHeight = 136;

void PaintSplash(QPainter& painter, const QRectF& area) {
  QLinearGradient field(area.topLeft(), area.bottomRight());
  field.setColorAt(0, QColor(0xFB, 0xF3, 0xDE));
  field.setColorAt(1, QColor(0xE8, 0xCF, 0x93));
  painter.fillRect(area, field);
  // The version panel holds the upper right corner; the mark stays clear of it.
  PaintLogo(painter,
            QRectF(area.left() + 16, area.top() + 30, area.width() - 40, area.height() - 42));
}

QLabel* PanelLabel(const char* name, const QString& text, bool emphasised, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setPixelSize(13);
  font.setBold(emphasised);
  font.setItalic(emphasised);
  label->setFont(font);
  return label;
}

}  // namespace

TSplash_dlg::TSplash_dlg(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("Splash_dlg");
  setFixedSize(kWidth, kHeight);
  setWindowOpacity(150.0 / 255.0);

  auto* image = new ArtworkPicture(PaintSplash, this);
  image->setObjectName("Image1");
  image->setGeometry(0, 0, kWidth, kHeight);

  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(4, 2, 4, 2);
  row->addWidget(PanelLabel("zaTesmora", QStringLiteral("Tesmora :"), true, panel));
  row->addWidget(PanelLabel("zaVersionTesmora",
                            QString::fromUtf8(kProgramVersion.data(), kProgramVersion.size()),
                            false, panel));
  row->addStretch();
  const QSize panelSize = QSize(121, 33).expandedTo(panel->minimumSizeHint());
  panel->setGeometry(kWidth - 6 - panelSize.width(), 8, panelSize.width(), panelSize.height());

  // The language is chosen after the splash is up; the program's name reads
  // the same in every language.
  const QString title = FromUtf8(kApplicationTitle);
  NameControlsForReader(*this, {{"Image1", title, {}}, {"Panel1", title, {}}});
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    const WindowOrigin origin = SplashOrigin(area.width(), area.height(), kWidth, kHeight);
    move(area.left() + origin.left, area.top() + origin.top);
  }
}

}  // namespace tesmora::ui
