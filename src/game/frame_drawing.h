#pragma once
#include <functional>

#include "game/game.h"

namespace game {

// Called after each part of the 3D scene is drawn ("clear", "home", ..., "aircraft"),
// so a benchmark can see what each part costs.
using ScenePartDrawn = std::function<void(const char* part)>;

// The 3D scene both kinds of frame share, from the clear to the aircraft.
void DrawWorld(Game& game, const ScenePartDrawn& partDrawn = {});

// One live frame: free camera (or the fly-by's), the scene, the tail gauge and HUD
// text, and the overlay of the kind: the distance or the ranking list.
void DrawScene(Game& game, FrameKind kind);

// One replayed frame: replay camera, the scene, the distance, the ranking list with
// the highlighted entry (an index, or -1 for the entry just registered), the fps line.
void DrawReplayScene(Game& game, int8_t highlight);

}  // namespace game
