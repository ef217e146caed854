#pragma once
// The menu's CSV export as the game offers it: the whole of the player's last finished
// flight, wherever the game is now.
#include <ctime>
#include <string>

#include "game/game.h"

namespace game {

// Keeps rows 0 .. LastStep of the flight that just touched down, so an export during
// the replay (which rewinds the records) or after the next aircraft was loaded still
// writes all of it.
void KeepFinishedFlight(Game& game);

// Writes the CSV file named after the local time: during a launch or flight, or before
// any flight finished, the rows 0 .. Step of the aircraft flown now (before any flight
// that is the header and row 0); otherwise the last finished flight, row 0 to its
// touchdown. Tells the player the file name on the status line; a file that cannot be
// written gives the game's warning instead. Returns the file name, empty on failure.
std::string ExportLastFlightCsv(Game& game, const std::tm& localTime);

}  // namespace game
