#pragma once

#include "records/customer_protocol_lists.h"
#include "records/decoded_test.h"

namespace tesmora {

// Scratch file of the recalculation: the softened curve as little-endian f32.
inline constexpr std::string_view kSoftenedCurveFileName = "ble_soft.tmp";

// Time in seconds of sample k: the first sample lies at 1 s.
double SampleTime(const DecodedTest& test, int k);

// Value of the softened curve at time t (0 outside the curve).
float SoftenedCurveValue(const DecodedTest& test, double t);

// fit(t) = c0 + c1 t + ... + c6 t^6.
double FittedCurveValue(const DecodedTest& test, double t);

// The smoothed curve in millibars, and when the file asks for it the
// softened curve and every recalculated result. `protocol` is the test's
// protocol record.
void ComputeConsistencyResults(DecodedTest& test, const fprotocole& protocol);

// The water and hydration values converted to the basis the recorder was set
// to, as the export's two last result lines print them.
struct BasisValues {
  bool printed = false;  // neither basis flag: nothing is printed
  bool b14 = false;      // "% b 14" rather than "% MS"
  double water = 0;
  double hydration = 0;
};
BasisValues ConvertToBasis(const DecodedTest& test, std::uint8_t basisFlags);

// The test type that decides the formulas: 2, or 1 for any other value.
inline bool IsTypeTwo(const DecodedTest& test) { return test.TestType == 2; }

}  // namespace tesmora
