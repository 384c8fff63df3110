#include "ui/sheet_font.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "ui/utf8_text.h"

namespace tesmora::ui {

namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;

}  // namespace

QFont SheetFont(int points, FontWeight weight) {
  // The sheet's boxes and columns were laid out for a narrow dialog face: the
  // faces of that width come first, then whatever sans-serif face the machine
  // has. A wide face would run the longer labels into their colons.
  QFont font;
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(std::max(1, points));
  font.setBold(weight == FontWeight::Bold);
  return font;
}

const QImage& QtTextMetrics::Probe(Resolution dots) const {
  const std::lock_guard lock(mutex_);
  auto [at, added] = probes_.try_emplace({dots.DpiX, dots.DpiY}, 1, 1, QImage::Format_RGB32);
  if (added) {
    // The same rounding as the pictures the sheets are written to.
    at->second.setDotsPerMeterX(static_cast<int>(std::lround(dots.DpiX * kInchesPerMetre)));
    at->second.setDotsPerMeterY(static_cast<int>(std::lround(dots.DpiY * kInchesPerMetre)));
  }
  return at->second;
}

TextSize QtTextMetrics::Measure(std::string_view text, int points, FontWeight weight,
                                Resolution dots) const {
  const QFontMetrics metrics(SheetFont(points, weight), &Probe(dots));
  return {metrics.horizontalAdvance(FromUtf8(text)), metrics.height()};
}

}  // namespace tesmora::ui
