#pragma once
// The game controller's trim: the D-pad and the left stick mapped to whole trim steps,
// at most one a tick, like an arrow key held.
#include "platform/input.h"

namespace sim {

// Stick positions nearer the centre than this (of full travel) do not trim: a released
// stick rarely rests at exactly 0.
inline constexpr double kStickDeadZone = 0.25;

// What the stick has built up towards the next trim step between ticks.
struct PadTrimState {
  double Pending = 0;  // trim steps, -1 .. 1; its sign is the stick's direction
};

// The stick's trim rate (steps per tick, -1 .. 1): 0 within the dead zone, rising in
// proportion to 1 at full travel. Forward is negative, as the Up key.
double StickTrimRate(double stickY);

// Trim steps of this tick from the controller: -1, 0 or 1. D-pad up and down act as
// the Up and Down keys (one step every tick they are held; both together cancel) and
// win over the stick. The stick trims in proportion: its rate builds up from tick to
// tick and gives a step each time it reaches a whole one, so half travel trims every
// other tick and full travel every tick, never faster than a held key. Whole steps keep
// the tail setting, and so the flight's control log, on the keys' 0.05 degree grid.
int PadTrimSteps(PadTrimState& state, platform::Input& input);

}  // namespace sim
