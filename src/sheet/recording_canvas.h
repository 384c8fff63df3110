#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/canvas.h"
#include "sheet/sheet_units.h"
#include "sheet/text_metrics.h"

namespace tesmora {

// The pen, brush and font in force when a call was made.
struct DrawState {
  Rgb pen = kBlack;
  int penWidth = 1;
  Rgb brush = kWhite;
  int fontPoints = 10;
  FontWeight fontWeight = FontWeight::Normal;
  Rgb fontColour = kBlack;
};

// One call on a recording canvas.
struct CanvasOp {
  enum class Kind { Page, Pen, Brush, Font, Extent, Line, Rect, RoundRect, Text, Picture };
  Kind kind = Kind::Page;
  // The call's numbers in the order the dump writes them: page W H DPIX DPIY,
  // pen WIDTH, font POINTS, extent W H, line X1 Y1 X2 Y2, rect and picture
  // L T R B, roundrect L T R B EW EH, text X Y W H.
  std::vector<int> n;
  Rgb colour;            // pen, brush, font
  bool outline = false;  // rect
  std::string text;      // extent, text
  DrawState state;       // after the call
};

// A canvas that records every call, for tests and for the command line's
// drawing dump. It measures texts with the metrics it is given, at the
// resolution of the page it records: the dump of a page measured with the
// printing fonts is what those fonts print.
class RecordingCanvas : public Canvas {
 public:
  // `metrics` must outlive the canvas.
  explicit RecordingCanvas(const TextMetrics& metrics) : metrics_(&metrics) {}

  // Starts a page of `width` x `height` dots; texts are measured at its
  // resolution. A canvas may record several pages one after the other.
  void BeginPage(int width, int height, Resolution dots);

  void SetPen(Rgb colour, int width) override;
  void SetBrush(Rgb colour) override;
  void SetFont(int points, FontWeight weight, Rgb colour) override;
  TextSize TextExtent(std::string_view text) override;
  void Line(int x1, int y1, int x2, int y2) override;
  void Rectangle(const DotRect& box, bool outline) override;
  void RoundRectangle(const DotRect& box, int ellipseWidth, int ellipseHeight) override;
  void Text(int x, int y, std::string_view text) override;
  void Picture(const DotRect& box) override;

  const std::vector<CanvasOp>& ops() const { return ops_; }

  // The extent of a text in the current font, without recording a call.
  TextSize Measure(std::string_view text) const;

  // The drawing dump: one line per call, LF line ends (see OpLine).
  std::string Dump() const;

 private:
  CanvasOp& Record(CanvasOp::Kind kind, std::vector<int> numbers);

  const TextMetrics* metrics_;
  Resolution dots_;
  DrawState state_;
  std::vector<CanvasOp> ops_;
};

// One call as a line of the dump, without its line end: the call's name, its
// numbers as whole decimal dots, colours as #rrggbb, then for extent and text
// a single space and the UTF-8 text to the end of the line (a CR or LF in it
// is written as a blank, so that every call stays on one line).
std::string OpLine(const CanvasOp& op);

}  // namespace tesmora
