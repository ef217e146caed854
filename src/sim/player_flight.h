#pragma once
#include <functional>
#include <memory>

#include "flight/aircraft.h"
#include "platform/input.h"
#include "platform/random.h"
#include "ranking/ranking_table.h"

namespace sim {

// A player's flight as the game flies it after a restart, without drawing: "temp.txt"
// is loaded, the control log reset and the aircraft put on the platform; then launch
// ticks (tail input, run) and flight ticks (step, show, tail input, log). Before every
// tick `beforeTick(tick)` may change the input the player gives.
struct PlayerFlight {
  std::unique_ptr<flight::Aircraft> Aircraft;
  float Distance = 0;  // m, DisplayX at touchdown
  int Ticks = 0;       // launch and flight ticks, touchdown tick included
};

struct PlayerControls {
  platform::Input* Input = nullptr;
  platform::Random* Random = nullptr;
  std::function<void(int tick)> BeforeTick;
};

// Returns false from the launch when the run never reaches the platform's edge.
bool FlyAsPlayer(ranking::RankingTable& table, PlayerControls controls, PlayerFlight& result);

}  // namespace sim
