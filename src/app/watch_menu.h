#pragma once
// The menu's list of ranked flights to watch, one item per ranking entry.
#include <string>

#include "game/game.h"
#include "platform/shell.h"

namespace app {

// The item text of ranking entry `entry` (0..9), Shift-JIS: "1. name  345.67m", or
// "1. (空き)" for an entry without a flight.
std::string WatchItemText(const game::Game& game, int entry);

// Brings the ten items up to date with the ranking: each entry's name and distance,
// greyed while it holds no flight or watching is not allowed now. Called after every
// tick, so a registration (or another game's entry) shows at once.
void UpdateWatchMenu(const game::Game& game, platform::Menu& menu);

}  // namespace app
