#include "sheet/sheet_units.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "shell/message_table.h"

namespace tesmora {

namespace {

constexpr double kDotLimit = 1e9;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the run of digits of `text` from `i`.
std::size_t DigitsFrom(std::string_view text, std::size_t i) {
  std::size_t end = i;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - i;
}

}  // namespace

int CmToDots(double cm, int dpi) {
  const double dots = std::trunc(cm * dpi / 2.54);
  if (std::isnan(dots)) return 0;
  if (dots > kDotLimit) return static_cast<int>(kDotLimit);
  if (dots < -kDotLimit) return static_cast<int>(-kDotLimit);
  return static_cast<int>(dots);
}

int LinePitch(int points, int dpiY) { return CmToDots(0.2, dpiY) + points * (dpiY / 96); }

double RoundDecimals(double x, int decimals) {
  if (x == 0) return x;
  const double scale = std::pow(10.0, decimals);
  return x > 0 ? std::floor(x * scale + 0.5) / scale : std::ceil(x * scale - 0.5) / scale;
}

std::string NumberText(double x, std::string_view decimalSeparator) {
  if (!std::isfinite(x) || x == 0) return "0";
  char digits[40];
  std::snprintf(digits, sizeof digits, "%.15g", x);
  std::string text;
  for (const char* c = digits; *c != '\0'; ++c) {
    if (*c == '.') {
      text += decimalSeparator;
    } else {
      text += *c;
    }
  }
  return text;
}

std::string DecimalsText(double x, int decimals, std::string_view decimalSeparator) {
  return NumberText(RoundDecimals(x, decimals), decimalSeparator);
}

double NumberFromText(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t start = i;
  const std::size_t whole = DigitsFrom(text, i);
  i += whole;
  std::size_t fraction = 0;
  if (i < text.size() && text[i] == '.') {
    fraction = DigitsFrom(text, i + 1);
    if (whole > 0 || fraction > 0) i += 1 + fraction;
  }
  if (whole == 0 && fraction == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (const std::size_t exponent = DigitsFrom(text, j); exponent > 0) i = j + exponent;
  }
  double value = 0;
  const std::string_view number = text.substr(start, i - start);
  std::from_chars(number.data(), number.data() + number.size(), value);
  return negative ? -value : value;
}

std::string LabelText(std::string_view storedText) {
  std::string label(storedText);
  for (char& c : label) {
    if (c == '=' || c == ':') c = ' ';
  }
  const std::size_t first = label.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const std::size_t last = label.find_last_not_of(' ');
  return label.substr(first, last - first + 1);
}

std::string LabelTextOf(MessageId id, int languageIndex) {
  return DecodeToUtf8(LabelText(MessageBytes(id, languageIndex)), MessageCodePage(id));
}

}  // namespace tesmora
