#pragma once

#include <string>

namespace tesmora {

// The number forms of the export text. Each appends to `out`; a value that
// is not finite (a damaged file can hold one) is written as 0.

// Whole number: truncate(x), plus one when the fraction is at least 0.5.
void AppendWhole(std::string& out, double x);

// x to `digits` significant digits, without trailing zeros, in plain form or
// with an exponent as "%.Ng" writes it.
void AppendSignificant(std::string& out, double x, int digits);

// Fixed point: at least `width` characters, `decimals` after the point, as
// "%W.Df" writes it.
void AppendFixed(std::string& out, double x, int width, int decimals);

// A decimal integer.
void AppendInteger(std::string& out, long long value);

// Truncation toward zero that stays defined for any double: values beyond
// the range of a 64-bit integer are held at its ends, and NaN gives 0.
long long TruncateSafely(double x);

}  // namespace tesmora
