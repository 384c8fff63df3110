#include "records/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace tesmora {
namespace {

std::string Printf(const char* format, double x) {
  char text[512];
  std::snprintf(text, sizeof text, format, x);
  return text;
}

// The export's number forms are defined by what the C formats write; the
// faster conversions must agree with them everywhere, ties and exponents
// included.
TEST(NumberFormat, SignificantAndFixedFormsAgreeWithTheCFormats) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-7, 7);
  std::vector<double> values{0,     0.5,    1.5,    2.5,      99.95,  999.5, 0.00012345,
                             1e-5,  123456, 9999.5, 0.000099, 100,    -0.05, 12.25,
                             0.125, 1e15,   -1e-9,  399.6f,   400.5f, 24.5f, 150.6f};
  for (int i = 0; i < 20000; ++i)
    values.push_back(mantissa(random) * std::pow(10, exponent(random)));
  for (const double x : values) {
    for (const int digits : {2, 3, 4, 5}) {
      std::string out;
      AppendSignificant(out, x, digits);
      const std::string format = "%." + std::to_string(digits) + "g";
      ASSERT_EQ(out, Printf(format.c_str(), x)) << x << " digits " << digits;
    }
    for (const char* format : {"%3.1f", "%4.0f", "%3.0f", "%5.1f", "%4.1f"}) {
      std::string out;
      AppendFixed(out, x, format[1] - '0', format[3] - '0');
      ASSERT_EQ(out, Printf(format, x)) << x << " " << format;
    }
  }
}

TEST(NumberFormat, WholeNumbersRoundTheFractionHalfUpFromTheTruncation) {
  const struct {
    double x;
    const char* text;
  } cases[] = {
      {2.5, "3"},   {2.4999, "2"}, {0.5, "1"},     {399.6, "400"}, {-2.5, "-2"},
      {-2.4, "-2"}, {-0.7, "0"},   {9999, "9999"}, {0, "0"},
  };
  for (const auto& c : cases) {
    std::string out;
    AppendWhole(out, c.x);
    EXPECT_EQ(out, c.text) << c.x;
  }
}

TEST(NumberFormat, ValuesThatAreNotFiniteOrHugeNeverBreakTheText) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const double x : {nan, inf, -inf}) {
    std::string whole, significant, fixed;
    AppendWhole(whole, x);
    AppendSignificant(significant, x, 3);
    AppendFixed(fixed, x, 3, 1);
    EXPECT_EQ(whole, "0");
    EXPECT_EQ(significant, "0");
    EXPECT_EQ(fixed, "0.0");
  }
  std::string huge;
  AppendWhole(huge, 1e300);
  EXPECT_EQ(huge, std::to_string(std::numeric_limits<long long>::max()));
  std::string fixed;
  AppendFixed(fixed, 1e300, 3, 1);
  EXPECT_EQ(fixed, Printf("%3.1f", 1e300));
  EXPECT_EQ(TruncateSafely(1e300), std::numeric_limits<long long>::max());
  EXPECT_EQ(TruncateSafely(-1e300), std::numeric_limits<long long>::min());
  EXPECT_EQ(TruncateSafely(-7.9), -7);
}

}  // namespace
}  // namespace tesmora
