#include "sheet/text_metrics.h"

namespace tesmora {

namespace {

int CodePoints(std::string_view utf8) {
  int count = 0;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace

TextSize FixedTextMetrics::Measure(std::string_view text, int points, FontWeight,
                                   Resolution dots) const {
  return {CodePoints(text) * (points * dots.DpiX / 120), points * dots.DpiY / 60};
}

}  // namespace tesmora
