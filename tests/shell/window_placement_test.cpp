#include "shell/window_placement.h"

#include <gtest/gtest.h>

namespace tesmora {
namespace {

TEST(WindowPlacement, CentredHalvesTruncateTowardZero) {
  const WindowOrigin odd = CentredOrigin(1025, 769, 314, 342);
  EXPECT_EQ(odd.left, 355);
  EXPECT_EQ(odd.top, 213);
  // Larger than the screen: a negative half, truncated toward zero.
  const WindowOrigin large = CentredOrigin(800, 600, 1025, 700);
  EXPECT_EQ(large.left, -112);
  EXPECT_EQ(large.top, -50);
}

TEST(WindowPlacement, SplashHasAQuarterOfTheFreeHeightAbove) {
  const WindowOrigin origin = SplashOrigin(1024, 768, 406, 136);
  EXPECT_EQ(origin.left, 309);
  EXPECT_EQ(origin.top, 158);  // (768 - 136) / 4; 474 below is three quarters
  EXPECT_EQ(768 - 136 - origin.top, 474);
}

}  // namespace
}  // namespace tesmora
