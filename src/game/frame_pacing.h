#pragma once
#include <cstdint>

#include "platform/clock.h"

namespace game {

// Holds each game tick to a slot of just over 20 ms and counts the ticks of every
// one-second window for the HUD's "fps%d/50".
struct FramePacer {
  uint32_t LastFrameEnd = 0;    // ms, clock when the previous wait ended
  uint32_t FpsWindowStart = 0;  // ms, start of the current counting window
  uint8_t FrameCount = 0;       // ticks counted in the current window
  uint8_t FpsShown = 0;         // count of the last completed window
};

// Waits in 1 ms sleeps until the clock reads more than 20 ms after the previous
// frame's end (at once when the clock has wrapped or gone back), then counts the frame.
// The slot runs from the end of the previous wait, so the tick's own work counts
// against it and a slow tick is not waited for at all.
void PaceFrame(FramePacer& pacer, platform::Clock& clock);

inline constexpr uint32_t kFrameSlotMs = 20;
inline constexpr uint32_t kFpsWindowMs = 1000;

}  // namespace game
