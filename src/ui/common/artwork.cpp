#include "ui/common/artwork.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <array>
#include <cmath>

namespace tesmora::ui {
namespace {

constexpr int kFlagWidth = 24;
constexpr int kFlagHeight = 16;

const QColor kFlagRed(0xCE, 0x11, 0x26);
const QColor kFlagBlue(0x00, 0x39, 0xA6);
const QColor kFlagGreen(0x00, 0x8C, 0x45);
const QColor kFlagYellow(0xFF, 0xC4, 0x00);

// Equal stripes, across (vertical bands) or down (horizontal bands).
void Stripes(QPainter& p, std::initializer_list<QColor> colours, bool vertical) {
  const int count = static_cast<int>(colours.size());
  int i = 0;
  for (const QColor& colour : colours) {
    if (vertical) {
      const int left = kFlagWidth * i / count;
      p.fillRect(left, 0, kFlagWidth * (i + 1) / count - left, kFlagHeight, colour);
    } else {
      const int top = kFlagHeight * i / count;
      p.fillRect(0, top, kFlagWidth, kFlagHeight * (i + 1) / count - top, colour);
    }
    ++i;
  }
}

void UnitedKingdom(QPainter& p) {
  p.fillRect(0, 0, kFlagWidth, kFlagHeight, QColor(0x01, 0x21, 0x69));
  p.setPen(QPen(Qt::white, 3.5));
  p.drawLine(0, 0, kFlagWidth, kFlagHeight);
  p.drawLine(0, kFlagHeight, kFlagWidth, 0);
  p.setPen(QPen(QColor(0xC8, 0x10, 0x2E), 1.2));
  p.drawLine(0, 0, kFlagWidth, kFlagHeight);
  p.drawLine(0, kFlagHeight, kFlagWidth, 0);
  p.fillRect(0, 5, kFlagWidth, 6, Qt::white);
  p.fillRect(9, 0, 6, kFlagHeight, Qt::white);
  p.fillRect(0, 6, kFlagWidth, 4, QColor(0xC8, 0x10, 0x2E));
  p.fillRect(10, 0, 4, kFlagHeight, QColor(0xC8, 0x10, 0x2E));
}

void Spain(QPainter& p) {
  p.fillRect(0, 0, kFlagWidth, kFlagHeight, kFlagRed);
  p.fillRect(0, 4, kFlagWidth, 8, kFlagYellow);
}

void Portugal(QPainter& p) {
  p.fillRect(0, 0, kFlagWidth, kFlagHeight, kFlagRed);
  p.fillRect(0, 0, 10, kFlagHeight, QColor(0x04, 0x6A, 0x38));
  p.setPen(QPen(kFlagYellow, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(10, 8), 4, 4);
}

void Czechia(QPainter& p) {
  Stripes(p, {Qt::white, QColor(0xD7, 0x14, 0x1A)}, false);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x11, 0x45, 0x7E));
  const std::array<QPointF, 3> wedge{QPointF(0, 0), QPointF(12, 8), QPointF(0, kFlagHeight)};
  p.drawPolygon(wedge.data(), static_cast<int>(wedge.size()));
}

QPixmap FlagPixmap(int languageIndex) {
  QPixmap pixmap(kFlagWidth, kFlagHeight);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (languageIndex) {
    case 0:
      Stripes(p, {kFlagBlue, Qt::white, kFlagRed}, true);
      break;
    case 1:
      UnitedKingdom(p);
      break;
    case 2:
      Spain(p);
      break;
    case 3:
      Stripes(p, {kFlagGreen, Qt::white, kFlagRed}, true);
      break;
    case 4:
      Portugal(p);
      break;
    case 5:
      Stripes(p, {Qt::black, QColor(0xDD, 0x00, 0x00), kFlagYellow}, false);
      break;
    case 6:
      Stripes(p, {Qt::white, QColor(0xDC, 0x14, 0x3C)}, false);
      break;
    case 7:
      Czechia(p);
      break;
    default:
      return {};
  }
  // A thin grey edge keeps white stripes visible on a white menu.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QColor(0x80, 0x80, 0x80));
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 0, kFlagWidth - 1, kFlagHeight - 1);
  return pixmap;
}

// Item drawings share a 32 x 32 canvas scaled down by QIcon.
constexpr int kItemSize = 32;

QIcon Drawn(const std::function<void(QPainter&)>& draw) { return DrawnIcon(kItemSize, 1.5, draw); }

void Building(QPainter& p) {
  p.setBrush(QColor(0xC9, 0xB8, 0x9A));
  p.drawRect(QRectF(6, 6, 20, 23));
  p.setBrush(QColor(0x7F, 0xA7, 0xD1));
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      p.drawRect(QRectF(9 + column * 6, 9 + row * 6, 3, 3));
    }
  }
  p.setBrush(kInk);
  p.drawRect(QRectF(14, 24, 4, 5));
}

void Printer(QPainter& p) {
  p.setBrush(Qt::white);
  p.drawRect(QRectF(9, 3, 14, 10));
  p.setBrush(QColor(0x9A, 0x9A, 0xA0));
  p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(9, 19, 14, 10));
  p.drawLine(QPointF(12, 23), QPointF(20, 23));
  p.drawLine(QPointF(12, 26), QPointF(20, 26));
}

void SerialLink(QPainter& p) {
  // A nine-pin connector and its cable.
  QPainterPath shell;
  shell.moveTo(4, 8);
  shell.lineTo(28, 8);
  shell.lineTo(25, 20);
  shell.lineTo(7, 20);
  shell.closeSubpath();
  p.setBrush(QColor(0xB0, 0xB4, 0xBC));
  p.drawPath(shell);
  p.setBrush(kInk);
  for (int pin = 0; pin < 5; ++pin) p.drawEllipse(QPointF(8.5 + pin * 3.75, 11.5), 1, 1);
  for (int pin = 0; pin < 4; ++pin) p.drawEllipse(QPointF(10.5 + pin * 3.75, 16.5), 1, 1);
  p.setPen(QPen(kInk, 2.5));
  p.drawLine(QPointF(16, 20), QPointF(16, 30));
}

void Export(QPainter& p) {
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4, 4, 16, 22));
  for (int line = 0; line < 4; ++line)
    p.drawLine(QPointF(7, 9 + line * 4), QPointF(17, 9 + line * 4));
  p.setPen(QPen(QColor(0x1E, 0x7B, 0x34), 3));
  p.drawLine(QPointF(14, 20), QPointF(28, 20));
  p.drawLine(QPointF(23, 15), QPointF(28, 20));
  p.drawLine(QPointF(23, 25), QPointF(28, 20));
}

void Preview(QPainter& p) {
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4, 3, 18, 24));
  p.drawPolyline(QPolygonF({QPointF(7, 20), QPointF(11, 13), QPointF(15, 16), QPointF(19, 8)}));
  p.setBrush(QColor(0xCF, 0xE4, 0xF7, 0xC0));
  p.setPen(QPen(kInk, 2));
  p.drawEllipse(QPointF(19, 18), 6, 6);
  p.setPen(QPen(kInk, 3.5));
  p.drawLine(QPointF(23.5, 22.5), QPointF(29, 28));
}

void Recorder(QPainter& p) {
  p.setBrush(QColor(0xE6, 0xE1, 0xD3));
  p.drawRoundedRect(QRectF(3, 5, 26, 22), 3, 3);
  p.setBrush(QColor(0x33, 0x4D, 0x33));
  p.drawRect(QRectF(6, 8, 13, 9));
  p.setPen(QPen(QColor(0x9C, 0xE0, 0x9C), 1));
  p.drawPolyline(QPolygonF({QPointF(7, 15), QPointF(10, 10), QPointF(13, 13), QPointF(18, 9)}));
  p.setPen(QPen(kInk, 1));
  p.setBrush(kWheat);
  for (int key = 0; key < 3; ++key) p.drawRect(QRectF(22, 8 + key * 5, 4, 3));
  p.setBrush(kInk);
  p.drawRect(QRectF(6, 20, 13, 3));
}

QIcon Standard(QStyle::StandardPixmap which) { return QApplication::style()->standardIcon(which); }

}  // namespace

QIcon DrawnIcon(int size, double penWidth, const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kInk, penWidth));
  draw(p);
  p.end();
  return QIcon(pixmap);
}

QIcon FlagIcon(int languageIndex) {
  const QPixmap pixmap = FlagPixmap(languageIndex);
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

QIcon ItemIcon(int imageIndex) {
  switch (imageIndex) {
    case 14:
      return Standard(QStyle::SP_TrashIcon);
    case 15:
      return Drawn(Building);
    case 19:
    case 31:
      return Drawn(Printer);
    case 21:
      return Drawn(SerialLink);
    case 23:
      return Standard(QStyle::SP_DialogCloseButton);
    case 24:
      return Standard(QStyle::SP_FileDialogNewFolder);
    case 25:
      return Standard(QStyle::SP_BrowserReload);
    case 26:
      return Drawn(Export);
    case 27:
      return Standard(QStyle::SP_MessageBoxInformation);
    case 29:
      return Standard(QStyle::SP_FileDialogDetailedView);
    case 30:
      return Drawn(Preview);
    case 32:
      return Drawn(Recorder);
    case 33:
      return Standard(QStyle::SP_ComputerIcon);
    default:
      return {};
  }
}

ArtworkPicture::ArtworkPicture(Painting painting, QWidget* parent)
    : QWidget(parent), painting_(std::move(painting)) {}

void ArtworkPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (painting_) painting_(painter, QRectF(rect()));
}

}  // namespace tesmora::ui
