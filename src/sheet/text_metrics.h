#pragma once

#include <string_view>

#include "sheet/canvas.h"
#include "sheet/sheet_units.h"

namespace tesmora {

// How big a text is in the sheet's typeface, without a canvas to draw on: what
// a recording canvas measures with. The command line's drawing dump measures
// with the fonts the page prints in (the Qt painting layer's metrics), so that
// the dump is the page; the sheet's own tests measure with the fixed model.
class TextMetrics {
 public:
  virtual ~TextMetrics() = default;

  // `text` (UTF-8) set at `points` in `weight`, in whole dots of a device of
  // that resolution: its advance and the height of its line.
  virtual TextSize Measure(std::string_view text, int points, FontWeight weight,
                           Resolution dots) const = 0;
};

// A fixed model of a typeface, the same on every machine: each character (a
// Unicode code point) advances points x DpiX / 120 dots (0.6 of the size),
// and a line is points x DpiY / 60 dots high (1.2 of the size), in whole dots,
// whatever the weight. Layouts measured with it can be worked out by hand.
class FixedTextMetrics : public TextMetrics {
 public:
  TextSize Measure(std::string_view text, int points, FontWeight weight,
                   Resolution dots) const override;
};

}  // namespace tesmora
