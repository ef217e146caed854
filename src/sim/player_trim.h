#pragma once
// The player's trim: the keyboard and mouse mapped to steps of the tail setting.
#include "flight/aircraft.h"
#include "platform/input.h"

namespace sim {

// The cursor position the trim input saw at its previous reading.
struct TrimInputState {
  platform::CursorPos PreviousCursor;
};

// Trim steps of this tick: the vertical mouse movement in pixels while the left
// button is held (downward positive), minus one for Up, plus one for Down. The cursor
// is remembered on every reading, button or not.
int ReadTrimSteps(TrimInputState& state, platform::Input& input);

// One tick of the player's trim: read the input and move the tail by it.
void TailInput(flight::Aircraft& a, TrimInputState& state, platform::Input& input);

}  // namespace sim
