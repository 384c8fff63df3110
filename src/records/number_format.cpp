#include "records/number_format.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tesmora {

namespace {

double Finite(double x) { return std::isfinite(x) ? x : 0.0; }

}  // namespace

long long TruncateSafely(double x) {
  if (std::isnan(x)) return 0;
  // 2^63 is exactly representable; anything at or beyond it is held there.
  constexpr double kLimit = 9223372036854775808.0;
  if (x >= kLimit) return std::numeric_limits<long long>::max();
  if (x <= -kLimit) return std::numeric_limits<long long>::min();
  return static_cast<long long>(x);
}

void AppendInteger(std::string& out, long long value) {
  char text[24];
  const auto result = std::to_chars(text, text + sizeof text, value);
  out.append(text, result.ptr);
}

void AppendWhole(std::string& out, double x) {
  x = Finite(x);
  long long whole = TruncateSafely(x);
  if (x - static_cast<double>(whole) >= 0.5 && whole < std::numeric_limits<long long>::max()) {
    ++whole;
  }
  AppendInteger(out, whole);
}

void AppendSignificant(std::string& out, double x, int digits) {
  // to_chars in general form with a precision writes what "%.Ng" writes,
  // without going through the C locale.
  char text[64];
  const auto result =
      std::to_chars(text, text + sizeof text, Finite(x), std::chars_format::general, digits);
  out.append(text, result.ptr);
}

void AppendFixed(std::string& out, double x, int width, int decimals) {
  // The largest double has 309 digits before the point.
  char text[400];
  const auto result =
      std::to_chars(text, text + sizeof text, Finite(x), std::chars_format::fixed, decimals);
  const auto length = static_cast<int>(result.ptr - text);
  if (length < width) out.append(static_cast<std::size_t>(width - length), ' ');
  out.append(text, result.ptr);
}

}  // namespace tesmora
