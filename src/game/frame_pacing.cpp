#include "game/frame_pacing.h"

namespace game {

void PaceFrame(FramePacer& pacer, platform::Clock& clock) {
  clock.BeginFineTiming();
  uint32_t now = clock.NowMs();
  while (static_cast<uint32_t>(pacer.LastFrameEnd + kFrameSlotMs) >= now) {
    if (now < pacer.LastFrameEnd) break;  // the clock wrapped or went back
    clock.Sleep1Ms();
    now = clock.NowMs();
  }
  pacer.LastFrameEnd = clock.NowMs();
  clock.EndFineTiming();

  if (static_cast<uint32_t>(pacer.LastFrameEnd - pacer.FpsWindowStart) >= kFpsWindowMs) {
    pacer.FpsShown = pacer.FrameCount;
    pacer.FpsWindowStart = pacer.LastFrameEnd;
    pacer.FrameCount = 1;
  } else {
    ++pacer.FrameCount;
  }
}

}  // namespace game
