#pragma once
// The keys, buttons, cursor and stick as they stood when a tick began. The tick reads
// the system's input once, into this, and everything the tick does (the state's work,
// the tail trim, the cameras, the optional features) reads the same snapshot: no part of
// a tick sees a key that another part of it missed.
#include <array>
#include <cstddef>

#include "platform/input.h"

namespace game {

class InputSnapshot final : public platform::Input {
public:
  // Everything up, the cursor at the origin and the stick centred (no input device).
  InputSnapshot() = default;
  // Reads every key and button the game polls from `source`.
  explicit InputSnapshot(platform::Input& source);

  bool IsDown(platform::Key key) override { return Keys_[static_cast<size_t>(key)]; }
  platform::CursorPos Cursor() override { return Cursor_; }
  bool IsPadDown(platform::PadButton button) override { return Pad_[static_cast<size_t>(button)]; }
  double PadStickY() override { return StickY_; }

private:
  std::array<bool, static_cast<size_t>(platform::Key::Count)> Keys_{};
  std::array<bool, static_cast<size_t>(platform::PadButton::Count)> Pad_{};
  platform::CursorPos Cursor_;
  double StickY_ = 0;
};

// The snapshot of the platform's input now (all up when there is none).
InputSnapshot ReadTickInput();

}  // namespace game
