#pragma once
#include "game/game.h"

namespace game {

// The ten ranking lines in the upper left, one in orange: the given entry (0..9), the
// entry just registered (negative highlight), or none (10 and above).
void DrawRankingList(Game& game, int8_t highlight);

}  // namespace game
