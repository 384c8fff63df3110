#pragma once

#include <string>
#include <string_view>

#include "shell/message_ids.h"

namespace tesmora {

// Units and number texts shared by every drawing step of a result sheet.

// A length in centimetres as whole dots at `dpi`, truncated toward zero. A
// length too large for the page (a damaged curve value) is held at a billion
// dots either way, and NaN gives 0, so no conversion is ever undefined.
int CmToDots(double cm, int dpi);

// The page's resolution: horizontal lengths convert with DpiX, vertical
// ones with DpiY.
struct Resolution {
  int DpiX = 300;
  int DpiY = 300;
  int X(double cm) const { return CmToDots(cm, DpiX); }
  int Y(double cm) const { return CmToDots(cm, DpiY); }
};

// The distance between two text lines of `points` size.
int LinePitch(int points, int dpiY);

// x rounded to `decimals` decimals, halves away from zero; 0 stays as it is.
double RoundDecimals(double x, int decimals);

// The general number form: at most 15 significant digits, no trailing zeros,
// no separator for a whole number, `decimalSeparator` in place of the point.
// A value that is not finite, and minus zero, are written as 0.
std::string NumberText(double x, std::string_view decimalSeparator);

// The value of a printed field: NumberText of x to `decimals` decimals.
std::string DecimalsText(double x, int decimals, std::string_view decimalSeparator);

// The number a sample field holds: the longest leading part of its text that
// forms a decimal number (sign, digits, "." as the point, exponent), or 0.
double NumberFromText(std::string_view text);

// A label of the sheet from a message's stored text: every "=" and ":"
// becomes a blank, and blanks are trimmed from both ends.
std::string LabelText(std::string_view storedText);

// LabelText of message `id` in a language, decoded to UTF-8.
std::string LabelTextOf(MessageId id, int languageIndex);

}  // namespace tesmora
