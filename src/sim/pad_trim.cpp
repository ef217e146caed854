#include "sim/pad_trim.h"

#include <algorithm>
#include <cmath>

namespace sim {

double StickTrimRate(double stickY) {
  const double travel = std::min(std::fabs(stickY), 1.0);
  if (!(travel > kStickDeadZone)) return 0;  // also a stick that reads NaN
  const double rate = (travel - kStickDeadZone) / (1 - kStickDeadZone);
  return stickY < 0 ? -rate : rate;
}

int PadTrimSteps(PadTrimState& state, platform::Input& input) {
  using platform::PadButton;
  const int dpad = (input.IsPadDown(PadButton::DpadDown) ? 1 : 0) - (input.IsPadDown(PadButton::DpadUp) ? 1 : 0);
  const bool dpadHeld = input.IsPadDown(PadButton::DpadUp) || input.IsPadDown(PadButton::DpadDown);
  const double rate = dpadHeld ? dpad : StickTrimRate(input.PadStickY());
  // A released stick, or one turned the other way, starts afresh.
  if (rate == 0 || (rate > 0) != (state.Pending > 0)) state.Pending = 0;
  state.Pending += rate;
  if (state.Pending >= 1) {
    state.Pending -= 1;
    return 1;
  }
  if (state.Pending <= -1) {
    state.Pending += 1;
    return -1;
  }
  return 0;
}

}  // namespace sim
