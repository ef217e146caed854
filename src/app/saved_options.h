#pragma once
// The options that outlast the game: the ghost, the coach line, the sound and the
// language, kept in the settings file beside the league's settings. The design mode is not among them:
// it is off at every start.
#include <string>

#include "game/game.h"

namespace app {

// Gives the game the options the settings file holds, before its first tick and before
// any other thread starts (the language sets up the message catalog). A value that is
// missing, damaged or unknown leaves that option at its default, silently.
void LoadSavedOptions(game::Game& game);

// Writes the options when they differ from what was last read or written (a menu
// command or the race key changed them); every other setting in the file is kept.
// Nothing is written before LoadSavedOptions.
void KeepChangedOptions(game::Game& game);

}  // namespace app
