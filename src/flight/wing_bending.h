#pragma once
#include "flight/aircraft.h"

namespace flight {

// Bends the main wing under the strip lifts of the last strip-force evaluation:
// root moments of every strip, bending angles, strip-end heights, the effective span
// and aspect ratio, and the rotations of the wing strip frames. theta0 is the pitch the
// weight terms use (callers pass the start pitch). Geometry comes from the previous
// call, a lag of one call.
void WingBending(Aircraft& a, double theta0);

// Puts the wing strip frames back to the unbent pose (dihedral and sweep only).
void ResetWingFrames(Aircraft& a);

}  // namespace flight
