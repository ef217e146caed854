#pragma once
// Where optional features (the ghost race, the coach line, and whatever comes next)
// attach to the game: before and after each tick's state work, after an aircraft is
// loaded, at the player's touchdown and registration, while the result is shown, and
// in the live frames' drawing. The state branches name no feature; a new one adds its
// hooks to the table in features.cpp and its menu commands to the app's menu. A
// feature that is off does nothing in any hook.
#include <cstdint>

#include "game/camera.h"
#include "game/game.h"
#include "game/tick_input.h"

namespace game {

// What a feature may ask of the tick it runs before.
enum class FeatureRequest : uint8_t {
  None,
  Restart,  // the working aircraft again at the start: this tick does Restart's work
};

// What a live frame shows: its kind, and the state its overlays are drawn for (the
// state the frame belongs to, even when the tick has already moved on).
struct LiveFrame {
  FrameKind Kind = FrameKind::Normal;
  GameState ShownAs = Init;
};

struct FeatureHooks {
  // Before the state's work, with the tick's input.
  FeatureRequest (*BeforeTick)(Game&, InputSnapshot&) = nullptr;
  // An aircraft was just loaded: the player's design, or another (the demo's, a watched
  // flight's).
  void (*AfterLoad)(Game&, bool playerDesign) = nullptr;
  // The player's flight has just touched the water.
  void (*AfterTouchdown)(Game&) = nullptr;
  // While the player's result is shown before its registration: whether the feature
  // still has the flight's end to show (the ghost still in the air). The result then
  // stays, and is shown for its usual time from the tick no feature holds it any more.
  bool (*HoldsResult)(const Game&) = nullptr;
  // The player's flight has just been offered to the ranking (the table's NewEntryIndex
  // tells whether and where it ranked).
  void (*AfterRegistration)(Game&) = nullptr;
  // After the state's work, before the frame: what the tick did is there to read (the
  // aircraft's state after its step, the state it left).
  void (*AfterUpdate)(Game&) = nullptr;
  // In a live frame, right after the scene (whose last object is the player's aircraft).
  void (*DrawInScene)(Game&, const LiveFrame&) = nullptr;
  // In a live frame, over the HUD, under the status line.
  void (*DrawOverHud)(Game&, const LiveFrame&) = nullptr;
  // In a replayed frame (the player's replay, the demo's flight), over its distance and
  // list, under the status line.
  void (*DrawOverReplay)(Game&) = nullptr;
};

// Each hook of every feature, in the features' order. A restart asked for before the
// tick takes effect at once: the state becomes Restart before the next feature's hook.
void FeaturesBeforeTick(Game& game, InputSnapshot& input);
void FeaturesAfterLoad(Game& game, bool playerDesign);
void FeaturesAfterTouchdown(Game& game);
bool FeaturesHoldResult(const Game& game);  // whether any feature holds it
void FeaturesAfterRegistration(Game& game);
void FeaturesAfterUpdate(Game& game);
void FeaturesDrawInScene(Game& game, const LiveFrame& frame);
void FeaturesDrawOverHud(Game& game, const LiveFrame& frame);
void FeaturesDrawOverReplay(Game& game);

// The features' own hooks.
FeatureHooks CoachLineHooks();
FeatureHooks GhostRaceHooks();
FeatureHooks LeagueHooks();
FeatureHooks SoundHooks();

}  // namespace game
