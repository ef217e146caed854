#include "sim/player_trim.h"

#include <cstdint>

#include "flight/tail_trim.h"

namespace sim {

int ReadTrimSteps(TrimInputState& state, platform::Input& input) {
  const platform::CursorPos cursor = input.Cursor();
  int steps = 0;
  // The drag is a signed 16-bit difference, as a cursor delta of the window system is.
  if (input.IsDown(platform::Key::LeftButton)) steps = static_cast<int16_t>(cursor.Y - state.PreviousCursor.Y);
  state.PreviousCursor = cursor;
  if (input.IsDown(platform::Key::Up)) steps -= 1;
  if (input.IsDown(platform::Key::Down)) steps += 1;
  return steps + PadTrimSteps(state.Pad, input);
}

void TailInput(flight::Aircraft& a, TrimInputState& state, platform::Input& input) {
  flight::TrimTail(a, ReadTrimSteps(state, input));
}

}  // namespace sim
