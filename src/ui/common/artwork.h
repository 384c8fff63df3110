#pragma once

#include <QIcon>
#include <QWidget>
#include <functional>

#include "sheet_painting/logo.h"

class QPainter;
class QRectF;

namespace tesmora::ui {

// All pictures of the program are drawn here, so that nothing is loaded from
// outside the repository.

// The flag of a language by LanguageIndex (0 French, 1 English, 2 Spanish,
// 3 Italian, 4 Portuguese, 5 German, 6 Polish, 7 Czech); a null icon for
// any other index.
QIcon FlagIcon(int languageIndex);

// The picture of a menu or toolbar item by its image index: 14 delete,
// 15 company, 19 printer, 21 serial link, 23 exit, 24 new folder, 25 refresh,
// 26 export, 27 about, 29 display all files, 30 preview, 31 print,
// 32 recorder, 33 computer. A null icon for any other index.
QIcon ItemIcon(int imageIndex);

// An icon of `size` pixels square drawn in the program's ink.
QIcon DrawnIcon(int size, double penWidth, const std::function<void(QPainter&)>& draw);

// A widget whose whole content is a drawing, repainted at any size.
class ArtworkPicture : public QWidget {
 public:
  using Painting = std::function<void(QPainter&, const QRectF&)>;
  ArtworkPicture(Painting painting, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Painting painting_;
};

}  // namespace tesmora::ui
