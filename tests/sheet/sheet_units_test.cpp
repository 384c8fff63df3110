#include "sheet/sheet_units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace tesmora {
namespace {

struct DotsCase {
  double cm;
  int dpi;
  int dots;
};

TEST(CmToDots, TruncatesTowardZero) {
  const DotsCase cases[] = {
      {0.2, 300, 23}, {2, 300, 236},  {9, 300, 1062},  {11, 300, 1299}, {0.2, 600, 47},
      {2, 600, 472},  {9, 600, 2125}, {11, 600, 2598}, {0, 300, 0},     {-0.2, 300, -23},
  };
  for (const DotsCase& c : cases) EXPECT_EQ(CmToDots(c.cm, c.dpi), c.dots) << c.cm << " cm";
}

TEST(CmToDots, HoldsADamagedLengthInsideTheRangeOfADot) {
  EXPECT_EQ(CmToDots(1e300, 300), 1000000000);
  EXPECT_EQ(CmToDots(-1e300, 300), -1000000000);
  EXPECT_EQ(CmToDots(std::numeric_limits<double>::quiet_NaN(), 300), 0);
}

TEST(LinePitch, IsTwoMillimetresAndTheSizeInScreenDots) {
  EXPECT_EQ(LinePitch(10, 300), 23 + 30);
  EXPECT_EQ(LinePitch(10, 600), 47 + 60);
  EXPECT_EQ(LinePitch(10, 96), 7 + 10);
}

struct NumberCase {
  double value;
  int decimals;
  std::string separator;
  std::string text;
};

TEST(NumberText, RoundsHalvesAwayFromZeroAndDropsTrailingZeros) {
  const NumberCase cases[] = {
      {12.456, 2, ".", "12.46"}, {12.4, 2, ".", "12.4"},    {21.25, 1, ".", "21.3"},
      {-21.25, 1, ".", "-21.3"}, {14, 2, ".", "14"},        {12.50, 2, ".", "12.5"},
      {0, 2, ".", "0"},          {12.456, 2, ",", "12,46"}, {0.5, 0, ".", "1"},
      {-0.5, 0, ".", "-1"},      {-0.004, 2, ".", "0"},     {1234.5, 0, ".", "1235"},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(DecimalsText(c.value, c.decimals, c.separator), c.text) << c.value;
  }
}

TEST(NumberText, WritesFifteenSignificantDigitsAndNothingForNonNumbers) {
  EXPECT_EQ(NumberText(1.0 / 3, "."), "0.333333333333333");
  EXPECT_EQ(NumberText(std::numeric_limits<double>::infinity(), "."), "0");
  EXPECT_EQ(NumberText(std::nan(""), ","), "0");
  EXPECT_EQ(NumberText(-0.0, "."), "0");
}

TEST(RoundDecimals, LeavesZeroAndRoundsBothSigns) {
  EXPECT_EQ(RoundDecimals(0, 2), 0);
  EXPECT_DOUBLE_EQ(RoundDecimals(2.675, 1), 2.7);
  EXPECT_DOUBLE_EQ(RoundDecimals(-2.66, 1), -2.7);
}

TEST(NumberFromText, TakesTheLongestLeadingDecimalNumber) {
  const struct {
    std::string text;
    double value;
  } cases[] = {
      {"12.456", 12.456}, {"12.4%", 12.4}, {"-3.5", -3.5}, {"+7", 7},      {".5", 0.5},
      {"5.", 5},          {"1e2", 100},    {"1e", 1},      {"2E-1x", 0.2}, {"", 0},
      {"abc", 0},         {".", 0},        {"-", 0},       {" 12", 0},     {"0.0", 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(NumberFromText(c.text), c.value) << c.text;
}

TEST(LabelText, BlanksEqualsSignsAndColonsAndTrims) {
  EXPECT_EQ(LabelText("LAB.TEMP.:"), "LAB.TEMP.");
  EXPECT_EQ(LabelText("x -> Wx  :"), "x -> Wx");
  EXPECT_EQ(LabelText("  W=A :"), "W A");
  EXPECT_EQ(LabelText(":="), "");
  // msg::kSampleIdLabel in French, decoded for the canvas.
  EXPECT_EQ(LabelTextOf(msg::kSampleIdLabel, 0), "REFERENCE ECHANTILLON");
}

}  // namespace
}  // namespace tesmora
