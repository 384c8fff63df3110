#pragma once

#include <cstdint>
#include <string_view>

namespace tesmora {

// A colour as the sheet names it: red, green and blue bytes.
struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;

  // From a colour value that holds red in its low byte, then green, then blue.
  static constexpr Rgb FromColorRef(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
            static_cast<std::uint8_t>((value >> 16) & 0xFF)};
  }
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// Edges in device dots: left and top inside, as the printer's own calls take them.
struct DotRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend constexpr bool operator==(const DotRect&, const DotRect&) = default;
};

struct TextSize {
  int width = 0, height = 0;
  friend constexpr bool operator==(const TextSize&, const TextSize&) = default;
};

enum class FontWeight { Normal, Bold };

// What a result sheet is drawn on. Every coordinate is a whole dot of the
// device the page lands on (printer, PDF writer, picture, or a recording for
// tests), the origin at the top-left corner of the paper. Texts are UTF-8.
// The typeface is the device's default; the sheet chooses only size, weight
// and colour.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetPen(Rgb colour, int width) = 0;
  virtual void SetBrush(Rgb colour) = 0;
  virtual void SetFont(int points, FontWeight weight, Rgb colour) = 0;

  // The size the text would take in the current font; nothing is drawn.
  virtual TextSize TextExtent(std::string_view text) = 0;

  virtual void Line(int x1, int y1, int x2, int y2) = 0;
  // Filled with the brush; outlined with the pen when `outline`.
  virtual void Rectangle(const DotRect& box, bool outline) = 0;
  // Filled with the brush and outlined with the pen; corners are quarters
  // of an ellipse of that width and height.
  virtual void RoundRectangle(const DotRect& box, int ellipseWidth, int ellipseHeight) = 0;
  // The text with its top-left corner at (x, y), in the current font.
  virtual void Text(int x, int y, std::string_view text) = 0;
  // The sheet's logo, stretched to fill the box.
  virtual void Picture(const DotRect& box) = 0;
};

}  // namespace tesmora
