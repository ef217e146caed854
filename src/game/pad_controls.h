#pragma once
// The game controller's buttons in the game: A as Space, the shoulder buttons stepping
// through the free camera modes. (Its trim is the player's trim, in sim/pad_trim.h.)
#include "game/camera.h"
#include "platform/input.h"

namespace game {

// Space on the keyboard or A on a controller: launch, skip, continue.
bool SpaceOrPadADown(platform::Input& input);

// The mode after this frame's shoulder presses: the right shoulder steps to the next
// mode, the left one to the previous, wrapping from 4 to 0 and from 0 to 4. A press
// steps once however long it is held (`shoulders` remembers them between frames).
CameraMode PadCameraMode(CameraMode mode, PadShoulders& shoulders, platform::Input& input);

}  // namespace game
