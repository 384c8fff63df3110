#pragma once

#include <QColor>

class QPainter;
class QRectF;

namespace tesmora::ui {

// The program's colours: the logo's, and the ink of the drawn icons.
inline const QColor kWheat(0xE0, 0xA9, 0x3B);
inline const QColor kWheatDark(0x8A, 0x5A, 0x1C);
inline const QColor kInk(0x3A, 0x2A, 0x14);

// The program's mark, an ear of wheat and the name, fitted into `area`. It
// needs only Qt's painting, so the command line draws it on its sheets too.
void PaintLogo(QPainter& painter, const QRectF& area);

}  // namespace tesmora::ui
