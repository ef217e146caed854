// The coach line as a feature of the game: the coach follows the player's design
// whenever something shows its findings (the line, or the coach's ghost), and the line
// stands beside the result digits in the result frame while the option is on.
#include <algorithm>

#include "game/features.h"
#include "game/hud_layout.h"
#include "platform/io/files.h"
#include "ranking/registration.h"

namespace game {
namespace {

bool CoachWanted(const Game& g) { return g.ShowCoach || g.Ghost.Choice == GhostChoice::CoachBest; }

void FollowLoadedDesign(Game& g, bool playerDesign) {
  if (playerDesign && CoachWanted(g)) FollowPlayerDesign(g);
}

void DrawCoachLine(Game& g, const LiveFrame& frame) {
  if (frame.Kind != FrameKind::ResultFrame || !g.ShowCoach || !g.Aircraft) return;
  if (!g.CoachText.Font) {
    constexpr hud::TextPlace place = hud::kCoachLine;
    const int width = std::clamp(g.WindowWidth - place.Left, 0, static_cast<int>(place.MaxWidth));
    g.CoachText.Create(*g.Device, place.FontHeight, place.Left, place.Top, static_cast<int16_t>(width),
                       place.FontHeight);
  }
  g.CoachText.Draw(CoachLineText(g.Coach.Ready(), g.Coach.Best(), g.Aircraft->DisplayX));
}

}  // namespace

void FollowPlayerDesign(Game& g) {
  constexpr size_t kMaxDesignBytes = 1 << 20;  // far beyond any aircraft file
  if (auto text = platform::ReadFilePrefix(ranking::kWorkingAircraftFile, kMaxDesignBytes)) g.Coach.Follow(*text);
}

void SetCoachLine(Game& g, bool on) {
  g.ShowCoach = on;
  if (on) FollowPlayerDesign(g);
}

FeatureHooks CoachLineHooks() {
  FeatureHooks hooks;
  hooks.AfterLoad = FollowLoadedDesign;
  hooks.DrawOverHud = DrawCoachLine;
  return hooks;
}

}  // namespace game
