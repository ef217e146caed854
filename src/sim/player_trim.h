#pragma once
// The player's trim: the keyboard, the mouse and a game controller mapped to steps of
// the tail setting.
#include "flight/aircraft.h"
#include "platform/input.h"
#include "sim/pad_trim.h"

namespace sim {

// The cursor position the trim input saw at its previous reading, and what the game
// controller's stick has built up.
struct TrimInputState {
  platform::CursorPos PreviousCursor;
  PadTrimState Pad;
};

// Trim steps of this tick: the vertical mouse movement in pixels while the left
// button is held (downward positive), minus one for Up, plus one for Down, and the game
// controller's step (PadTrimSteps). The cursor is remembered on every reading, button
// or not.
int ReadTrimSteps(TrimInputState& state, platform::Input& input);

// One tick of the player's trim: read the input and move the tail by it.
void TailInput(flight::Aircraft& a, TrimInputState& state, platform::Input& input);

}  // namespace sim
