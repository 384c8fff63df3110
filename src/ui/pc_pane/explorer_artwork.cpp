#include "ui/pc_pane/explorer_artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>
#include <functional>

#include "explorer/node_state.h"
#include "ui/common/artwork.h"

namespace tesmora::ui {
namespace {

constexpr int kSize = 16;
const QColor kInk(0x3A, 0x2A, 0x14);
const QColor kFolderYellow(0xE8, 0xC0, 0x5A);
const QColor kMetal(0xB4, 0xB8, 0xC0);

QIcon Drawn(const std::function<void(QPainter&)>& draw) { return DrawnIcon(kSize, 1, draw); }

void Folder(QPainter& p, bool open) {
  p.setBrush(kFolderYellow.darker(110));
  p.drawRect(QRectF(1.5, 3.5, 6, 2));
  p.drawRect(QRectF(1.5, 4.5, 13, 9));
  if (open) {
    // The front flap tilts away: the folder whose files are listed.
    QPainterPath flap;
    flap.moveTo(3.5, 7.5);
    flap.lineTo(15.5, 7.5);
    flap.lineTo(13.5, 13.5);
    flap.lineTo(1.5, 13.5);
    flap.closeSubpath();
    p.setBrush(kFolderYellow.lighter(115));
    p.drawPath(flap);
  }
}

void Drive(QPainter& p, const QColor& light) {
  p.setBrush(kMetal);
  p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.5, 1.5);
  p.setBrush(light);
  p.drawEllipse(QPointF(12, 8.5), 1, 1);
}

void CdRom(QPainter& p) {
  p.setBrush(QColor(0xD8, 0xDC, 0xE8));
  p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(8, 8), 2, 2);
}

void Removable(QPainter& p) {
  // A memory stick and its plug.
  p.setBrush(QColor(0x4A, 0x74, 0xB8));
  p.drawRoundedRect(QRectF(2.5, 5.5, 9, 6), 1, 1);
  p.setBrush(kMetal);
  p.drawRect(QRectF(11.5, 6.5, 3, 4));
}

void Globe(QPainter& p) {
  p.setBrush(QColor(0x7F, 0xB7, 0xE1));
  p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(8, 8), 2.5, 6.5);
  p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
}

void Server(QPainter& p) {
  p.setBrush(kMetal);
  p.drawRect(QRectF(4.5, 1.5, 7, 13));
  for (int shelf = 0; shelf < 3; ++shelf) {
    p.drawLine(QPointF(6, 4.5 + shelf * 3), QPointF(10, 4.5 + shelf * 3));
  }
}

void Cable(QPainter& p) {
  p.setPen(QPen(QColor(0x1E, 0x7B, 0x34), 1.5));
  p.drawLine(QPointF(8, 12), QPointF(8, 15.5));
  p.drawLine(QPointF(3, 15.5), QPointF(13, 15.5));
}

void Share(QPainter& p) {
  Folder(p, false);
  Cable(p);
}

void NetworkDrive(QPainter& p) {
  Drive(p, QColor(0x1E, 0x7B, 0x34));
  Cable(p);
}

// A page with a coloured band: each file type its colour and letter.
struct FileLook {
  QColor band;
  char letter;
};
constexpr int kFileTypeIconCount = 16;
const std::array<FileLook, kFileTypeIconCount>& FileLooks() {
  static const std::array<FileLook, kFileTypeIconCount> looks{{
      {QColor(0x30, 0x30, 0x90), 'X'},  // 0 program
      {QColor(0x70, 0x70, 0x70), 'S'},  // 1 system
      {QColor(0xF0, 0xF0, 0xF0), 'T'},  // 2 text
      {QColor(0xA0, 0x70, 0x20), 'Z'},  // 3 archive
      {QColor(0xC0, 0x20, 0x20), 'P'},  // 4 document for print
      {QColor(0x20, 0x50, 0xB0), 'W'},  // 5 word processor
      {QColor(0x20, 0x80, 0x40), 'C'},  // 6 spreadsheet
      {QColor(0x90, 0x30, 0x30), 'D'},  // 7 database
      {QColor(0x60, 0x40, 0x90), 'B'},  // 8 program builder
      {QColor(0x40, 0x40, 0x40), '>'},  // 9 command script
      {QColor(0xFF, 0xFF, 0xFF), ' '},  // 10 plain file
      {QColor(0x30, 0xA0, 0xC0), 'I'},  // 11 picture
      {QColor(0xFF, 0xFF, 0xFF), ' '},  // 12 (unused)
      {QColor(0xFF, 0xFF, 0xFF), ' '},  // 13 (unused)
      {QColor(0xE0, 0xC0, 0x20), '?'},  // 14 help
      {QColor(0xD0, 0x60, 0xA0), 'M'},  // 15 sound
  }};
  return looks;
}

void Page(QPainter& p, const FileLook& look) {
  QPainterPath page;
  page.moveTo(3.5, 1.5);
  page.lineTo(10.5, 1.5);
  page.lineTo(13.5, 4.5);
  page.lineTo(13.5, 14.5);
  page.lineTo(3.5, 14.5);
  page.closeSubpath();
  p.setBrush(Qt::white);
  p.drawPath(page);
  if (look.letter == ' ') return;
  p.setBrush(look.band);
  p.drawRect(QRectF(3.5, 8.5, 10, 6));
  QFont font = p.font();
  font.setPixelSize(6);
  font.setBold(true);
  p.setFont(font);
  p.setPen(look.band.lightness() > 160 ? kInk : Qt::white);
  p.drawText(QRectF(3.5, 8.5, 10, 6), Qt::AlignCenter, QString(QChar(look.letter)));
}

QIcon DrawNodeState(int state) {
  switch (state) {
    case explorer::kNodeFixedDrive:
      return Drawn([](QPainter& p) { Drive(p, QColor(0x40, 0xC0, 0x40)); });
    case explorer::kNodeCdRom:
      return Drawn(CdRom);
    case explorer::kNodeRemovable:
      return Drawn(Removable);
    case explorer::kNodeFolder:
      return Drawn([](QPainter& p) { Folder(p, false); });
    case explorer::kNodeNetworkRoot:
      return Drawn(Globe);
    case explorer::kNodeServer:
      return Drawn(Server);
    case explorer::kNodeOpenFolder:
      return Drawn([](QPainter& p) { Folder(p, true); });
    case explorer::kNodeShare:
      return Drawn(Share);
    case explorer::kNodeNetworkDrive:
      return Drawn(NetworkDrive);
    default:
      return {};
  }
}

}  // namespace

QIcon NodeStateIcon(int state) {
  // Drawn once: a tree of thousands of folders shares them.
  static const std::array<QIcon, 10> icons = [] {
    std::array<QIcon, 10> drawn;
    for (int s = 0; s < 10; ++s) drawn[static_cast<std::size_t>(s)] = DrawNodeState(s);
    return drawn;
  }();
  if (state < 0 || state >= 10) return {};
  return icons[static_cast<std::size_t>(state)];
}

QIcon FileTypeIcon(int icon) {
  static const std::array<QIcon, kFileTypeIconCount> icons = [] {
    std::array<QIcon, kFileTypeIconCount> drawn;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      const FileLook look = FileLooks()[i];
      drawn[i] = Drawn([look](QPainter& p) { Page(p, look); });
    }
    return drawn;
  }();
  if (icon < 0 || icon >= kFileTypeIconCount) return {};
  return icons[static_cast<std::size_t>(icon)];
}

}  // namespace tesmora::ui
