#pragma once
#include "game/game.h"
#include "game/ghost_game.h"

namespace app {

// The window's menu commands.
enum MenuCommand {
  kEditAircraft = 40001,  // run the configurator, then fly what it saved
  kQuit = 40002,
  kShowFlightLog = 40003,  // never enabled
  kDesignMode = 40004,     // toggles the check mark the game reads
  kCoachLine = 40005,      // toggles the coach line after a touchdown
  kExportCsv = 40006,
  kWatchEntryFirst = 40100,  // ranking entry 0; entry i is kWatchEntryFirst + i
  kWatchEntryLast = 40109,   // ranking entry 9
  // The ghost race: which ghost (one of three, checked), and racing the best at once.
  kGhostNone = game::kGhostNoneItem,
  kGhostRankingBest = game::kGhostRankingBestItem,
  kGhostCoachBest = game::kGhostCoachBestItem,
  kRaceBest = game::kRaceBestItem,
};

// Carries out a menu command. Returns false when the command asks to quit.
bool HandleMenuCommand(game::Game& game, int commandId);

}  // namespace app
