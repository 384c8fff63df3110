#include "sheet_painting/sheet_font.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "sheet_painting/utf8_text.h"

namespace tesmora::ui {

namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;

// The sheet's boxes and columns were laid out for a narrow dialog face: the
// faces of that width come first, then whatever sans-serif face the machine
// has. A wide face would run the longer labels into their colons.
const QStringList& SheetFaces() {
  static const QStringList faces{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                 QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")};
  return faces;
}

// What every sheet prints whatever its test: the product name and the letters,
// digits and signs of its labels, values and axes.
constexpr std::string_view kSheetCharacters =
    "KALDIRONE NG ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789 .,:=/%()\u00B0";

}  // namespace

QFont SheetFont(int points, FontWeight weight) {
  QFont font;
  font.setFamilies(SheetFaces());
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(std::max(1, points));
  font.setBold(weight == FontWeight::Bold);
  return font;
}

std::string SheetFaceNames() { return SheetFaces().join(QStringLiteral(", ")).toStdString(); }

std::string UndrawableCharacters(std::string_view text,
                                 const std::function<bool(char32_t)>& draws) {
  std::u32string missing;
  for (const char32_t c : FromUtf8(text).toStdU32String()) {
    if (c <= 0x20 || missing.find(c) != std::u32string::npos || draws(c)) continue;
    missing += c;
  }
  return QString::fromStdU32String(missing).toStdString();
}

std::optional<std::string> MissingSheetFace() {
  const QFontMetrics metrics(SheetFont(10, FontWeight::Normal));
  const auto draws = [&](char32_t c) { return metrics.inFontUcs4(c); };
  if (UndrawableCharacters(kSheetCharacters, draws).empty()) return std::nullopt;
  return SheetFaceNames();
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
