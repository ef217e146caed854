#pragma once
#include "flight/aircraft.h"

namespace flight {

inline constexpr double kTrimStepsPerDegree = 20.0;  // one trim step is 0.05 degree

// Moves the tail setting by `steps` trim steps (positive increases it), then
// writes the tail line of the coordinate log.
void TrimTail(Aircraft& a, int steps);

}  // namespace flight
