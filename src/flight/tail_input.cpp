#include "flight/tail_input.h"

#include <cstdint>

#include "flight/coordinate_log.h"

namespace flight {
namespace {
constexpr double kStepsPerDegree = 20.0;  // one pixel or key tick is 0.05 degree
}

void TailInput(Aircraft& a, TailInputState& state, platform::Input& input) {
  const platform::CursorPos cursor = input.Cursor();
  int delta = 0;
  if (input.IsDown(platform::Key::LeftButton)) delta = static_cast<int16_t>(cursor.Y - state.PreviousCursor.Y);
  state.PreviousCursor = cursor;
  if (input.IsDown(platform::Key::Up)) delta -= 1;
  if (input.IsDown(platform::Key::Down)) delta += 1;
  a.TailSetting += delta / kStepsPerDegree;
  LogTailLine(a);
}

}  // namespace flight
