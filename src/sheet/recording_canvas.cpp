#include "sheet/recording_canvas.h"

#include <cstdio>

namespace tesmora {

namespace {

std::string Hex(Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  return text;
}

std::string_view KindName(CanvasOp::Kind kind) {
  using enum CanvasOp::Kind;
  switch (kind) {
    case Page:
      return "page";
    case Pen:
      return "pen";
    case Brush:
      return "brush";
    case Font:
      return "font";
    case Extent:
      return "extent";
    case Line:
      return "line";
    case Rect:
      return "rect";
    case RoundRect:
      return "roundrect";
    case Text:
      return "text";
    case Picture:
      return "picture";
  }
  return "?";
}

}  // namespace

CanvasOp& RecordingCanvas::Record(CanvasOp::Kind kind, std::vector<int> numbers) {
  CanvasOp& op = ops_.emplace_back();
  op.kind = kind;
  op.n = std::move(numbers);
  op.state = state_;
  return op;
}

void RecordingCanvas::BeginPage(int width, int height, Resolution dots) {
  dots_ = dots;
  Record(CanvasOp::Kind::Page, {width, height, dots.DpiX, dots.DpiY});
}

void RecordingCanvas::SetPen(Rgb colour, int width) {
  state_.pen = colour;
  state_.penWidth = width;
  Record(CanvasOp::Kind::Pen, {width}).colour = colour;
}

void RecordingCanvas::SetBrush(Rgb colour) {
  state_.brush = colour;
  Record(CanvasOp::Kind::Brush, {}).colour = colour;
}

void RecordingCanvas::SetFont(int points, FontWeight weight, Rgb colour) {
  state_.fontPoints = points;
  state_.fontWeight = weight;
  state_.fontColour = colour;
  Record(CanvasOp::Kind::Font, {points}).colour = colour;
}

TextSize RecordingCanvas::Measure(std::string_view text) const {
  return metrics_->Measure(text, state_.fontPoints, state_.fontWeight, dots_);
}

TextSize RecordingCanvas::TextExtent(std::string_view text) {
  const TextSize size = Measure(text);
  Record(CanvasOp::Kind::Extent, {size.width, size.height}).text = text;
  return size;
}

void RecordingCanvas::Line(int x1, int y1, int x2, int y2) {
  Record(CanvasOp::Kind::Line, {x1, y1, x2, y2});
}

void RecordingCanvas::Rectangle(const DotRect& box, bool outline) {
  Record(CanvasOp::Kind::Rect, {box.left, box.top, box.right, box.bottom}).outline = outline;
}

void RecordingCanvas::RoundRectangle(const DotRect& box, int ellipseWidth, int ellipseHeight) {
  Record(CanvasOp::Kind::RoundRect,
         {box.left, box.top, box.right, box.bottom, ellipseWidth, ellipseHeight});
}

void RecordingCanvas::Text(int x, int y, std::string_view text) {
  const TextSize size = Measure(text);
  Record(CanvasOp::Kind::Text, {x, y, size.width, size.height}).text = text;
}

void RecordingCanvas::Picture(const DotRect& box) {
  Record(CanvasOp::Kind::Picture, {box.left, box.top, box.right, box.bottom});
}

std::string RecordingCanvas::Dump() const {
  std::string dump;
  for (const CanvasOp& op : ops_) {
    dump += OpLine(op);
    dump += '\n';
  }
  return dump;
}

std::string OpLine(const CanvasOp& op) {
  using enum CanvasOp::Kind;
  std::string line(KindName(op.kind));
  const auto numbers = [&] {
    for (const int value : op.n) line += ' ' + std::to_string(value);
  };
  switch (op.kind) {
    case Pen:  // pen #rrggbb WIDTH
    case Brush:
      line += ' ' + Hex(op.colour);
      numbers();
      break;
    case Font:  // font POINTS normal|bold #rrggbb
      numbers();
      line += op.state.fontWeight == FontWeight::Bold ? " bold " : " normal ";
      line += Hex(op.colour);
      break;
    case Rect:
      numbers();
      line += op.outline ? " outline" : " nooutline";
      break;
    case Extent:
    case Text:
      numbers();
      line += ' ';
      for (const char c : op.text) line += c == '\n' || c == '\r' ? ' ' : c;
      break;
    default:
      numbers();
  }
  return line;
}

}  // namespace tesmora
