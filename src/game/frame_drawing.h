#pragma once
#include <functional>

#include "game/features.h"
#include "game/game.h"
#include "game/ranking_list.h"

namespace game {

// What a tick draws once its state's work is done.
struct FramePlan {
  enum class Kind : uint8_t {
    None,    // nothing: the tick ends without a frame and without waiting
    Live,    // the free camera's (or the fly-by's) frame of `Live`
    Replay,  // a replayed frame with `Highlight` in the ranking list
  };
  Kind What = Kind::None;
  LiveFrame Live;               // with Kind::Live
  ListHighlight Highlight;      // with Kind::Replay
  bool WideLensFirst = false;   // with Kind::Replay: the lens is set into the device first
  // Work that must follow the frame and its wait (nothing: none).
  void (*AfterFrame)(Game&) = nullptr;
};

// Draws the plan's frame.
void DrawFrame(Game& game, const FramePlan& plan);

// Called after each part of the 3D scene is drawn ("clear", "home", ..., "aircraft"),
// so a benchmark can see what each part costs.
using ScenePartDrawn = std::function<void(const char* part)>;

// The 3D scene both kinds of frame share, from the clear to the aircraft.
void DrawWorld(Game& game, const ScenePartDrawn& partDrawn = {});

// One live frame: the free camera's shot (the fly-by's camera is aimed by the demo), the
// scene, the features' drawing in it, the tail gauge and HUD text, the overlay of the
// kind (the distance or the ranking list), the features' lines, the status line. The
// first form draws it for the current state.
void DrawScene(Game& game, FrameKind kind);
void DrawScene(Game& game, const LiveFrame& frame);

// One replayed frame: replay camera, the scene, the distance, the ranking list with
// the highlighted entry, the fps line.
void DrawReplayScene(Game& game, ListHighlight highlight);

}  // namespace game
