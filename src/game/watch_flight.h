#pragma once
// Watching a ranked flight the player chose: the demo's flight of that entry, without
// the fly-by.
#include "game/game.h"

namespace game {

// Whether ranking entry `entry` (0..9) holds a flight to watch: a name or a distance
// in the table, and a control log read from its entry file.
bool EntryHasFlight(const Game& game, int entry);

// Whether the player may start watching now: not while a flight of theirs is under
// way (from the launch until its registration), nor before the game has started.
bool WatchAllowedNow(const Game& game);

// Flies ranking entry `entry` as the demo does, from its launch run: the flight under
// the replay cameras beside the ranking list with the entry highlighted. A demo, a
// replay or a wait for Space that is going on ends first, as a restart ends it. Space
// leaves the watched flight for Ready once released; its touchdown leaves it at once.
// Returns false, changing nothing, when the entry has no flight or watching is not
// allowed now.
bool WatchRankedFlight(Game& game, int entry);

// The same for a flight given as an entry file's text (a league's best): flown from its
// own lines and tail settings, with no line of the list lit. False, changing nothing,
// when the text holds no recorded flight or watching is not allowed now.
bool WatchEntryText(Game& game, const std::string& entryText);

}  // namespace game
