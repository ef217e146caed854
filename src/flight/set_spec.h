#pragma once
#include "flight/aircraft.h"

namespace flight {

// Copies an aircraft file's values into the aircraft, divides the main wing into strips,
// derives areas, aspect ratios, lever arms and inertia, and puts the start state into
// record 0. Leaves LastStep, the later records, the bending angles, the strip loads and
// the display pose as they are, so a recorded flight can still be replayed.
void SetSpec(Aircraft& aircraft, const AircraftSpec& spec);

// How many strips a section of this span gets (at least one).
int StripsForSection(double sectionSpan);

}  // namespace flight
