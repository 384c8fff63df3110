#pragma once

#include "records/decoded_test.h"

namespace tesmora {

// Pressure in mm H2O of a raw curve value, in single precision as the
// recorder computes it.
float InflationPressure(const DecodedTest& test, float raw);

// Where one curve ends and how steeply it was falling just before.
struct CurveEnd {
  int endIndex = 0;
  int slope = 1;
};

// The end of the curve `curve` (values up to its end mark): the first of five
// consecutive falls that each exceed the lowest running four-point average
// fall by a step. `carriedSlope` runs from curve to curve of a series.
CurveEnd FindCurveEnd(const DecodedTest& test, const int* curve, int length, float& carriedSlope);

// Recomputes the mean curve and the results of the series the test's kind
// calls for, and Idp of a degradation test. `kindDigit` decides which of the
// file's values series 2 takes over.
void ComputeInflationResults(DecodedTest& test, char kindDigit);

// Idp: the loss of W from series 1 to series 2 in %, both W taken as the
// export prints them.
float DegradationIndex(float w1, float w2);

// x rounded half up, as the recorder rounds P and L.
float RoundHalfUp(float x);

}  // namespace tesmora
