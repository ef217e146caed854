#pragma once
// The game's state by name, as the UI probe reports it to the end-to-end runs (which
// wait for "Ready", "Flight", "Landed"...).
#include "game/game.h"

namespace app {

inline const char* GameStateName(int state) {
  switch (state) {
    case game::Init: return "Init";
    case game::Ready: return "Ready";
    case game::Demo: return "Demo";
    case game::Launch: return "Launch";
    case game::Flight: return "Flight";
    case game::Landed: return "Landed";
    case game::Replay: return "Replay";
    case game::WaitRelease: return "WaitRelease";
    case game::Restart: return "Restart";
    default: return "Unknown";
  }
}

}  // namespace app
