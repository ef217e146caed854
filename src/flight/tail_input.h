#pragma once
#include "flight/aircraft.h"
#include "platform/input.h"

namespace flight {

// The cursor position TailInput saw at its previous call.
struct TailInputState {
  platform::CursorPos PreviousCursor;
};

// The player's trim: a vertical mouse drag with the left button held, or the Up and
// Down keys, move the tail by 0.05 degree per pixel or per tick (down increases it).
// Then the tail line of the coordinate log.
void TailInput(Aircraft& a, TailInputState& state, platform::Input& input);

}  // namespace flight
