#pragma once
// The league in the game's menu: 機体メニュー → リーグの上位, the league's best flights of
// the player's contest fetched on request, each to race as a ghost; and ランキングの飛行を
// リーグへ送る, any ranked flight sent to the league.
#include "game/game.h"
#include "platform/shell.h"

namespace app {

// The fetch offered while a league is named; each place's pilot and distance once
// fetched, greyed while it cannot be flown here; the ranked flights to send, greyed
// without a league.
void UpdateLeagueMenu(const game::Game& game, platform::Menu& menu);

// Sends ranking entry `entry` (0..9) to the league as the player's, as a registered
// flight is sent: its entry file as the table holds it, and its listed distance.
void SendRankedEntry(game::Game& game, int entry);

// Watches place `index` (0 = the first) of the last top fetched, as a ranked flight is
// watched.
void WatchLeagueFlight(game::Game& game, int index);

// Races place `index` (0 = the first) of the last top fetched as the ghost.
void RaceLeagueFlight(game::Game& game, int index);

}  // namespace app
