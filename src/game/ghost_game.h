#pragma once
// How the ghost race meets the game: the choice from the menu, the ghost put on the
// course whenever the player's design is loaded, one ghost tick per launch, flight and
// landed tick, the result held while the ghost is still in the air after the player's
// touchdown (Space brings it down at once), its drawing and line in the live frames,
// and "race the best" from the key or the menu. It attaches to the tick through its
// feature hooks (GhostRaceHooks).
#include "game/game.h"

namespace game {

// The key that races the best ranked flight; no other key of the game uses it.
inline constexpr platform::Key kRaceBestKey = platform::Key::G;

// Takes the menu's choice. Off, the ghost leaves the course at once; on, the chosen
// ghost takes it now while the glider waits at the start, else at the next start. The
// coach's ghost starts the coach's search of the player's design.
void ChooseGhost(Game& game, GhostChoice choice);

// Races a flight given as an entry file's text (a league's best flight), named
// `sjisName` in the line: as ChooseGhost does, now at the start, else at the next start.
void ChooseGivenGhost(Game& game, std::string entryText, std::string sjisName);

// "Race the best": once the state allows (at the start, during the replay, or after a
// touchdown once the flight has been offered to the ranking), the ghost becomes the
// best ranked flight and the game restarts at the start. Asked for in any other state
// (the launch run, the flight, the demo), it is ignored.
void RequestRaceBest(Game& game);

}  // namespace game
