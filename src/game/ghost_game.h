#pragma once
// How the ghost race meets the game: the choice from the menu, the ghost put on the
// course whenever the player's design is loaded, one ghost tick per launch, flight and
// landed tick, its drawing and line in the live frames, and "race the best" from the
// key or the menu.
#include "game/game.h"

namespace game {

// The key that races the best ranked flight; no other key of the game uses it.
inline constexpr platform::Key kRaceBestKey = platform::Key::G;

// The options menu's ghost items (command ids). The game keeps one check mark on the
// item of its choice, also when the race key changed it.
inline constexpr int kGhostNoneItem = 40040;
inline constexpr int kGhostRankingBestItem = 40041;
inline constexpr int kGhostCoachBestItem = 40042;
inline constexpr int kRaceBestItem = 40043;  // "race the best", as the key

// Takes the menu's choice. Off, the ghost leaves the course at once; on, the chosen
// ghost takes it now while the glider waits at the start, else at the next start. The
// coach's ghost starts the coach's search of the player's design.
void ChooseGhost(Game& game, GhostChoice choice);

// Puts the chosen ghost at the start beside the player's design just loaded; the
// demo's aircraft (any other file) flies without one.
void GhostFollowsLoad(Game& game, bool playerDesign);

// "Race the best": once the state allows (at the start, during the replay, or after a
// touchdown once the flight has been offered to the ranking), the ghost becomes the
// best ranked flight and the game restarts at the start. Asked for in any other state
// (the launch run, the flight, the demo), it is ignored.
void RequestRaceBest(Game& game);

// Runs at the start of every tick, before the state's work: reads the race key, turns
// a pending request into a restart, puts the coach's ghost on the course once its
// search ends while the glider waits, and flies the ghost one tick while the player's
// glider runs, flies or has just landed.
void GhostBeforeTick(Game& game);

// In a live frame: the ghost, right after the scene (whose last object is the
// player's aircraft), and its line, after the HUD. Neither draws anything while no
// ghost is chosen, nor in the demo.
void DrawGhostInScene(Game& game);
void DrawGhostLineInHud(Game& game);

}  // namespace game
