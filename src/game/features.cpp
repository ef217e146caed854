#include "game/features.h"

#include <array>

namespace game {
namespace {

// The order is the drawing order: the coach line, then the ghost's line under it; and
// the coach follows a newly loaded design before the coach's ghost looks for its flight.
// The league only sends what the others have left as it was. The sound comes last: it
// notes the state the tick starts from after any restart the others asked for.
const std::array<FeatureHooks, 4>& Features() {
  static const std::array<FeatureHooks, 4> features{CoachLineHooks(), GhostRaceHooks(), LeagueHooks(), SoundHooks()};
  return features;
}

}  // namespace

void FeaturesBeforeTick(Game& g, InputSnapshot& input) {
  for (const FeatureHooks& f : Features()) {
    if (f.BeforeTick && f.BeforeTick(g, input) == FeatureRequest::Restart) g.State = Restart;
  }
}

void FeaturesAfterLoad(Game& g, bool playerDesign) {
  for (const FeatureHooks& f : Features()) {
    if (f.AfterLoad) f.AfterLoad(g, playerDesign);
  }
}

void FeaturesAfterTouchdown(Game& g) {
  for (const FeatureHooks& f : Features()) {
    if (f.AfterTouchdown) f.AfterTouchdown(g);
  }
}

bool FeaturesHoldResult(const Game& g) {
  for (const FeatureHooks& f : Features()) {
    if (f.HoldsResult && f.HoldsResult(g)) return true;
  }
  return false;
}

void FeaturesAfterRegistration(Game& g) {
  for (const FeatureHooks& f : Features()) {
    if (f.AfterRegistration) f.AfterRegistration(g);
  }
}

void FeaturesAfterUpdate(Game& g) {
  for (const FeatureHooks& f : Features()) {
    if (f.AfterUpdate) f.AfterUpdate(g);
  }
}

void FeaturesDrawInScene(Game& g, const LiveFrame& frame) {
  for (const FeatureHooks& f : Features()) {
    if (f.DrawInScene) f.DrawInScene(g, frame);
  }
}

void FeaturesDrawOverHud(Game& g, const LiveFrame& frame) {
  for (const FeatureHooks& f : Features()) {
    if (f.DrawOverHud) f.DrawOverHud(g, frame);
  }
}

void FeaturesDrawOverReplay(Game& g) {
  for (const FeatureHooks& f : Features()) {
    if (f.DrawOverReplay) f.DrawOverReplay(g);
  }
}

}  // namespace game
