#pragma once
#include "game/game.h"

namespace platform {
class Menu;
}

namespace app {

// The window's menu commands.
enum MenuCommand {
  kEditAircraft = 40001,  // run the configurator, then fly what it saved
  kQuit = 40002,
  kShowFlightLog = 40003,  // never enabled
  kDesignMode = 40004,     // toggles the check mark the game reads
  kCoachLine = 40005,      // toggles the coach line after a touchdown
  kExportCsv = 40006,
  // The ghost race: which ghost (one of three, checked), and racing the best at once
  // (as the race key).
  kGhostNone = 40040,
  kGhostRankingBest = 40041,
  kGhostCoachBest = 40042,
  kRaceBest = 40043,
  kLeagueSettings = 40050,  // the online league: its address, contest and pilot name
  kSoundEffects = 40060,    // toggles the sound
  kVolumeFirst = 40061,     // the quietest volume step; step i is kVolumeFirst + i - 1
  kVolumeLast = 40064,      // full volume
  kVariometer = 40065,      // toggles the variometer's tone
  kLanguageAuto = 40070,    // the language: the environment's, Japanese or English
  kLanguageJapanese = 40071,
  kLanguageEnglish = 40072,
  kLeagueTopFetch = 40200,    // fetch the league's best flights of the player's contest
  kLeagueGhostFirst = 40220,  // race the league's first as a ghost; place i is kLeagueGhostFirst + i - 1
  kLeagueGhostLast = 40229,
  kLeagueWatchFirst = 40230,  // watch the league's first; place i is kLeagueWatchFirst + i - 1
  kLeagueWatchLast = 40239,
  kWatchEntryFirst = 40100,  // ranking entry 0; entry i is kWatchEntryFirst + i
  kWatchEntryLast = 40109,   // ranking entry 9
  kSendEntryFirst = 40110,   // send ranking entry 0 to the league; entry i is kSendEntryFirst + i
  kSendEntryLast = 40119,
};

// What a command leaves the program doing.
enum class AfterCommand { KeepRunning, Quit };

// Carries out a menu command, then shows the options' check marks as they now stand.
AfterCommand HandleMenuCommand(game::Game& game, int commandId);

// The options' check marks as the game holds them: the design mode, the coach line,
// one mark on the chosen ghost (which the race key may have changed), the sound, one
// mark on its volume, the variometer, and one mark on the language.
void ShowOptionChecks(const game::Game& game, platform::Menu& menu);

// One tick of the game, then the menu brought up to date with it (check marks, and the
// ranked flights one may watch now), and the options kept when they changed.
void RunTick(game::Game& game);

}  // namespace app
