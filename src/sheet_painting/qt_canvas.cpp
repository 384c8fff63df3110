#include "sheet_painting/qt_canvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "sheet_painting/logo.h"
#include "sheet_painting/sheet_font.h"
#include "sheet_painting/utf8_text.h"

namespace tesmora::ui {
namespace {

QColor ToQColor(Rgb colour) { return {colour.r, colour.g, colour.b}; }

}  // namespace

QtCanvas::QtCanvas(QPainter& painter)
    : painter_(painter),
      device_(painter.device()),
      fontColour_(Qt::black),
      font_(SheetFont(10, FontWeight::Normal)) {
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::TextAntialiasing);
  // Round ends join the short segments of a curve without gaps.
  pen_ = QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter_.setPen(pen_);
  painter_.setBrush(Qt::white);
  painter_.setFont(font_);
}

void QtCanvas::SetPen(Rgb colour, int width) {
  pen_.setColor(ToQColor(colour));
  pen_.setWidth(std::max(1, width));
  painter_.setPen(pen_);
}

void QtCanvas::SetBrush(Rgb colour) { painter_.setBrush(ToQColor(colour)); }

void QtCanvas::SetFont(int points, FontWeight weight, Rgb colour) {
  font_ = SheetFont(points, weight);
  fontColour_ = ToQColor(colour);
  painter_.setFont(font_);
}

TextSize QtCanvas::TextExtent(std::string_view text) {
  // Measured on the device itself: a printer's dots, not the screen's.
  const QFontMetrics metrics(font_, device_);
  return {metrics.horizontalAdvance(FromUtf8(text)), metrics.height()};
}

void QtCanvas::Line(int x1, int y1, int x2, int y2) { painter_.drawLine(x1, y1, x2, y2); }

void QtCanvas::Rectangle(const DotRect& box, bool outline) {
  const QRect area(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
  if (outline) {
    painter_.drawRect(area);
  } else {
    painter_.fillRect(area, painter_.brush());
  }
}

void QtCanvas::RoundRectangle(const DotRect& box, int ellipseWidth, int ellipseHeight) {
  const QRect area(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
  painter_.drawRoundedRect(area, ellipseWidth / 2.0, ellipseHeight / 2.0, Qt::AbsoluteSize);
}

void QtCanvas::Text(int x, int y, std::string_view text) {
  const QFontMetrics metrics(font_, device_);
  painter_.setPen(fontColour_);
  painter_.drawText(QPoint(x, y + metrics.ascent()), FromUtf8(text));
  painter_.setPen(pen_);
}

void QtCanvas::Picture(const DotRect& box) {
  PaintLogo(painter_, QRectF(box.left, box.top, box.right - box.left, box.bottom - box.top));
}

PageDevice PageDeviceOf(const QPaintDevice& device, int widthDots, int heightDots) {
  return {widthDots, heightDots, {device.logicalDpiX(), device.logicalDpiY()}};
}

void PaintSheetPage(QPainter& painter, const SheetPage& page, const PageDevice& device) {
  painter.save();
  QtCanvas canvas(painter);
  DrawPageOnDevice(canvas, page, device);
  painter.restore();
}

}  // namespace tesmora::ui
