#include "ui/common/artwork.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <ostream>
#include <set>

#include "shell/languages.h"

namespace tesmora::ui {
namespace {

QImage Flag(int languageIndex) {
  return FlagIcon(languageIndex).pixmap(24, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(Flags, ADistinctFlagForEachLanguageAndNoneOutsideTheTable) {
  std::set<QByteArray> seen;
  for (int index = 0; index < kLanguageCount; ++index) {
    const QImage image = Flag(index);
    ASSERT_FALSE(image.isNull()) << index;
    seen.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kLanguageCount));
  EXPECT_TRUE(FlagIcon(-1).isNull());
  EXPECT_TRUE(FlagIcon(kLanguageCount).isNull());
}

enum class Hue { Red, Blue, Green, White, Black, Yellow };

Hue HueOf(QColor c) {
  const int r = c.red(), g = c.green(), b = c.blue();
  if (r > 200 && g > 200 && b > 200) return Hue::White;
  if (r < 60 && g < 60 && b < 60) return Hue::Black;
  if (r > 200 && g > 150 && b < 80) return Hue::Yellow;
  if (r > g && r > b) return Hue::Red;
  if (b > r && b > g) return Hue::Blue;
  return Hue::Green;
}

struct FlagPoint {
  int languageIndex;
  int x;
  int y;
  Hue hue;
};

void PrintTo(const FlagPoint& p, std::ostream* out) {
  *out << "flag " << p.languageIndex << " at " << p.x << "," << p.y;
}

class FlagColours : public ::testing::TestWithParam<FlagPoint> {};

TEST_P(FlagColours, StripesInTheirPlaces) {
  const FlagPoint& point = GetParam();
  EXPECT_EQ(HueOf(Flag(point.languageIndex).pixelColor(point.x, point.y)), point.hue);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, FlagColours,
    ::testing::Values(FlagPoint{0, 3, 8, Hue::Blue}, FlagPoint{0, 12, 8, Hue::White},
                      FlagPoint{0, 20, 8, Hue::Red}, FlagPoint{1, 12, 8, Hue::Red},
                      FlagPoint{1, 7, 1, Hue::Blue}, FlagPoint{2, 12, 2, Hue::Red},
                      FlagPoint{2, 12, 8, Hue::Yellow}, FlagPoint{3, 3, 8, Hue::Green},
                      FlagPoint{3, 20, 8, Hue::Red}, FlagPoint{4, 3, 2, Hue::Green},
                      FlagPoint{4, 20, 8, Hue::Red}, FlagPoint{5, 12, 3, Hue::Black},
                      FlagPoint{5, 12, 8, Hue::Red}, FlagPoint{5, 12, 13, Hue::Yellow},
                      FlagPoint{6, 12, 4, Hue::White}, FlagPoint{6, 12, 12, Hue::Red},
                      FlagPoint{7, 2, 8, Hue::Blue}, FlagPoint{7, 20, 4, Hue::White},
                      FlagPoint{7, 20, 12, Hue::Red}));

TEST(ItemIcons, EveryImageIndexOfTheMenusHasAPicture) {
  for (int index : {14, 15, 19, 21, 23, 24, 25, 26, 27, 29, 30, 31, 32, 33}) {
    const QIcon icon = ItemIcon(index);
    EXPECT_FALSE(icon.isNull()) << index;
    EXPECT_FALSE(icon.pixmap(16, 16).isNull()) << index;
  }
  for (int index : {-1, 0, 13, 16, 20, 22, 28, 34}) EXPECT_TRUE(ItemIcon(index).isNull()) << index;
}

TEST(Logo, DrawsInsideItsAreaOnly) {
  QImage canvas(240, 120, QImage::Format_ARGB32);
  canvas.fill(Qt::transparent);
  const QRect area(40, 30, 160, 60);
  {
    QPainter painter(&canvas);
    PaintLogo(painter, QRectF(area));
  }
  int inside = 0;
  int outside = 0;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (qAlpha(canvas.pixel(x, y)) == 0) continue;
      // A pixel of anti-aliasing may spill over the edge.
      (area.adjusted(-1, -1, 1, 1).contains(x, y) ? inside : outside) += 1;
    }
  }
  EXPECT_EQ(outside, 0);
  EXPECT_GT(inside, area.width() * area.height() / 10);
}

}  // namespace
}  // namespace tesmora::ui
