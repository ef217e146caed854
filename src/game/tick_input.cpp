#include "game/tick_input.h"

#include "platform/services.h"

namespace game {

InputSnapshot::InputSnapshot(platform::Input& source) {
  for (size_t k = 0; k < Keys_.size(); ++k) Keys_[k] = source.IsDown(static_cast<platform::Key>(k));
  for (size_t b = 0; b < Pad_.size(); ++b) Pad_[b] = source.IsPadDown(static_cast<platform::PadButton>(b));
  Cursor_ = source.Cursor();
  StickY_ = source.PadStickY();
}

InputSnapshot ReadTickInput() {
  platform::Input* input = platform::Os().input;
  return input ? InputSnapshot(*input) : InputSnapshot();
}

}  // namespace game
