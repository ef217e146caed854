#pragma once
#include "flight/aircraft.h"
#include "platform/random.h"

namespace flight {

// What the launch run keeps between its calls, across aircraft loads.
struct LaunchRunState {
  float RunDistance = 0;  // m run along the platform at the previous call
};

// Moves the shown aircraft down the 10 m platform for run time t (s) and bends its
// wing under the run's airspeed. Returns true once it has left the platform edge (then
// at x = 0, height 11 m). The flight's own start state, record 0, is not changed.
bool LaunchRun(Aircraft& a, LaunchRunState& state, float t, platform::Random& random);

}  // namespace flight
