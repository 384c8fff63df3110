#pragma once

#include <QFont>
#include <QPen>

#include "sheet/canvas.h"
#include "sheet/sheet_page.h"

class QPainter;
class QPaintDevice;

namespace tesmora::ui {

// The sheet's canvas on a Qt painter: a printer, a PDF writer, an image or
// the print preview. The painter must draw in the device's own dots with the
// origin at the paper's corner (a printer in full-page mode, a PDF writer
// without margins), so that a dot of the sheet is a dot of the device. Point
// sizes follow the device's resolution, as text on paper does.
class QtCanvas : public Canvas {
 public:
  explicit QtCanvas(QPainter& painter);

  void SetPen(Rgb colour, int width) override;
  void SetBrush(Rgb colour) override;
  void SetFont(int points, FontWeight weight, Rgb colour) override;
  TextSize TextExtent(std::string_view text) override;
  void Line(int x1, int y1, int x2, int y2) override;
  void Rectangle(const DotRect& box, bool outline) override;
  void RoundRectangle(const DotRect& box, int ellipseWidth, int ellipseHeight) override;
  void Text(int x, int y, std::string_view text) override;
  void Picture(const DotRect& box) override;

 private:
  QPainter& painter_;
  QPaintDevice* device_;
  QPen pen_;
  QColor fontColour_;
  QFont font_;
};

// The sheet of paper a painter's device is: its physical size in whole dots
// and its resolution.
PageDevice PageDeviceOf(const QPaintDevice& device, int widthDots, int heightDots);

// One page of the sheet drawn on a painter whose device is `device`.
void PaintSheetPage(QPainter& painter, const SheetPage& page, const PageDevice& device);

}  // namespace tesmora::ui
