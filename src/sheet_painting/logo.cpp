#include "sheet_painting/logo.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace tesmora::ui {
namespace {

// Alternate pairs of grains up a stem, with a grain at the tip; `unit` is the
// height of the ear.
void WheatEar(QPainter& p, const QPointF& base, qreal unit) {
  p.save();
  p.translate(base);
  p.setPen(QPen(kWheatDark, unit * 0.035, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(0, 0), QPointF(0, -unit * 0.88));
  p.setBrush(kWheat);
  p.setPen(QPen(kWheatDark, unit * 0.02));
  const QRectF grain(-unit * 0.06, -unit * 0.15, unit * 0.12, unit * 0.30);
  for (int pair = 0; pair < 4; ++pair) {
    const qreal y = -unit * (0.30 + pair * 0.15);
    const qreal scale = 1.0 - pair * 0.08;
    for (const qreal side : {-1.0, 1.0}) {
      p.save();
      p.translate(side * unit * 0.07, y);
      p.rotate(side * 28);
      p.scale(scale, scale);
      p.drawEllipse(grain);
      p.restore();
    }
  }
  p.drawEllipse(QRectF(-unit * 0.05, -unit * 0.98, unit * 0.10, unit * 0.24));
  // A single leaf low on the stem.
  QPainterPath leaf;
  leaf.moveTo(0, -unit * 0.08);
  leaf.quadTo(unit * 0.28, -unit * 0.16, unit * 0.30, -unit * 0.38);
  leaf.quadTo(unit * 0.12, -unit * 0.22, 0, -unit * 0.16);
  p.setBrush(QColor(0x9B, 0xA6, 0x3A));
  p.drawPath(leaf);
  p.restore();
}

}  // namespace

void PaintLogo(QPainter& painter, const QRectF& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const qreal unit = area.height();
  WheatEar(painter, QPointF(area.left() + unit * 0.32, area.bottom()), unit * 0.95);

  // The name takes the room right of the ear, as large as both the height and
  // the width allow.
  const QRectF textArea(area.left() + unit * 0.62, area.top(), area.width() - unit * 0.62,
                        area.height());
  QFont font(QStringLiteral("DejaVu Serif"));
  font.setBold(true);
  font.setPixelSize(std::max(6, static_cast<int>(unit * 0.55)));
  const QString name = QStringLiteral("Tesmora");
  const qreal natural = QFontMetricsF(font).horizontalAdvance(name);
  if (natural > textArea.width() && textArea.width() > 0) {
    font.setPixelSize(std::max(6, static_cast<int>(font.pixelSize() * textArea.width() / natural)));
  }
  painter.setFont(font);
  painter.setPen(kInk);
  painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter, name);
  painter.restore();
}

}  // namespace tesmora::ui
