#pragma once
// 機体メニュー → リーグの上位: the league's best flights of the player's contest,
// fetched on request, each to race as a ghost.
#include "game/game.h"
#include "platform/shell.h"

namespace app {

// The fetch offered while a league is named; each place's pilot and distance once
// fetched, greyed while it cannot be flown here.
void UpdateLeagueMenu(const game::Game& game, platform::Menu& menu);

// Races place `index` (0 = the first) of the last top fetched as the ghost.
void RaceLeagueFlight(game::Game& game, int index);

}  // namespace app
