#pragma once

namespace platform {

// Asks SDL for the game's kind of OpenGL surface before a window is created: double
// buffered, with a 16-bit depth buffer (the depth format the game's scenes are made
// for; a driver may give more bits).
void RequestGameGlSurface();

}  // namespace platform
