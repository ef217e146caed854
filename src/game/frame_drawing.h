#pragma once
#include "game/game.h"

namespace game {

// One live frame: free camera (or the fly-by's), the scene, the tail gauge and HUD
// text, and the overlay of the kind: the distance or the ranking list.
void DrawScene(Game& game, FrameKind kind);

// One replayed frame: replay camera, the scene, the distance, the ranking list with
// the highlighted entry (an index, or -1 for the entry just registered), the fps line.
void DrawReplayScene(Game& game, int8_t highlight);

}  // namespace game
