#include "game/pad_controls.h"

namespace game {

bool SpaceOrPadADown(platform::Input& input) {
  return input.IsDown(platform::Key::Space) || input.IsPadDown(platform::PadButton::A);
}

CameraMode PadCameraMode(CameraMode mode, PadShoulders& state, platform::Input& input) {
  const bool left = input.IsPadDown(platform::PadButton::LeftShoulder);
  const bool right = input.IsPadDown(platform::PadButton::RightShoulder);
  int step = 0;
  if (right && !state.RightHeld) step += 1;
  if (left && !state.LeftHeld) step -= 1;
  state.LeftHeld = left;
  state.RightHeld = right;
  if (step == 0) return mode;
  const int current = static_cast<int>(mode);
  return static_cast<CameraMode>((current + step + kCameraModeCount) % kCameraModeCount);
}

}  // namespace game
