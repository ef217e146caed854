#include "game/ghost_game.h"

#include "game/features.h"
#include "game/pad_controls.h"
#include "platform/io/files.h"
#include "platform/text/language.h"
#include "ranking/ranking_files.h"

namespace game {
namespace {

bool RaceCanBeAsked(GameState state) { return state == Ready || state == Landed || state == Replay; }

bool GhostFlies(GameState state) { return state == Launch || state == Flight || state == Landed; }

// What the line calls each ghost, Shift-JIS: its menu item's words.
constexpr const char* kRankingBestName =
    N_("\x83\x89\x83\x93\x83\x4c\x83\x93\x83\x4f"
       "1\x88\xca");  // "ランキング1位"
constexpr const char* kCoachBestName =
    N_("\x83\x52\x81\x5b\x83\x60\x82\xcc\x8d\xc5\x97\xc7\x94\xf2\x8d\x73");  // "コーチの最良飛行"

std::string ChosenGhostName(const GhostRace& race) {
  if (race.Choice == GhostChoice::Given) return race.GivenName;
  return platform::Translated(race.Choice == GhostChoice::CoachBest ? kCoachBestName : kRankingBestName);
}

// Entry 0's file as it is on disk now (a registration may just have rewritten it), or
// the coach's best flight once its search has ended with one.
std::optional<std::string> ChosenEntryText(const Game& g) {
  if (g.Ghost.Choice == GhostChoice::CoachBest) return g.Coach.BestEntry();
  if (g.Ghost.Choice == GhostChoice::Given) return g.Ghost.GivenEntry;
  return platform::ReadFilePrefix(ranking::EntryFileName(0), ranking::kRankingReadLimit);
}

GhostAbsence WhyMissing(const Game& g) {
  if (g.Ghost.Choice != GhostChoice::CoachBest) return GhostAbsence::NoRankedFlight;
  return g.Coach.Ready() ? GhostAbsence::CoachNoFlight : GhostAbsence::CoachSearching;
}

void PutChosenGhost(Game& g) {
  if (g.Ghost.Choice == GhostChoice::None || !g.Device) {
    DropGhost(g.Ghost);
    return;
  }
  PlaceGhost(g.Ghost, ChosenEntryText(g), ChosenGhostName(g.Ghost), *g.Device, WhyMissing(g));
}

// A request is carried out at the start, during the replay, and after a touchdown in
// the design mode (which offers no ranking); after any other touchdown it waits for
// the replay, which follows the ranking registration. Elsewhere it is dropped.
FeatureRequest CarryOutRaceRequest(Game& g) {
  const bool now = g.State == Ready || g.State == Replay || (g.State == Landed && g.DesignMode);
  if (!now && g.State == Landed) return FeatureRequest::None;
  g.Ghost.RaceBestRequested = false;
  if (!now) return FeatureRequest::None;
  g.Ghost.Choice = GhostChoice::RankingBest;
  return FeatureRequest::Restart;  // which loads the design and puts the ghost at the start
}

// While the result waits for the ghost, a new press of Space (or the pad's A) brings it
// down at once: a player who came down early need not watch it fly all the way (it may
// take a minute). In the design mode the press leaves the result anyway.
void SkipToGhostTouchdownOnPress(Game& g, InputSnapshot& input) {
  const bool down = SpaceOrPadADown(input);
  if (down && !g.Ghost.SkipWasDown && g.State == Landed && !g.DesignMode) LandGhostNow(g.Ghost);
  g.Ghost.SkipWasDown = down;
}

// Reads the race key, turns a pending request into a restart, puts the coach's ghost on
// the course once its search ends while the glider waits, brings the ghost down on a
// new press after the player's touchdown, and flies it one tick while the player's
// glider runs, flies or has landed.
FeatureRequest GhostBeforeTick(Game& g, InputSnapshot& input) {
  const bool keyDown = input.IsDown(kRaceBestKey);
  if (keyDown && !g.Ghost.KeyWasDown) RequestRaceBest(g);
  g.Ghost.KeyWasDown = keyDown;
  if (g.Ghost.RaceBestRequested && CarryOutRaceRequest(g) == FeatureRequest::Restart) return FeatureRequest::Restart;

  if (g.State == Ready && g.Ghost.Absence == GhostAbsence::CoachSearching && g.Coach.Ready()) PutChosenGhost(g);
  if (g.Ghost.Flight) SkipToGhostTouchdownOnPress(g, input);
  if (g.Ghost.Flight && GhostFlies(g.State)) g.Ghost.Flight->Tick();
  return FeatureRequest::None;
}

// After the player's touchdown the ghost flies on to its own (one tick per landed
// tick), and the result waits for it, so the line follows the gap to the final
// difference before the flight is registered and replayed. A ghost still on the
// platform is not waited for: its run might never reach the edge, whereas a flight
// ends within the record's rows.
bool GhostHoldsResult(const Game& g) { return GhostAirborne(g.Ghost); }

// The chosen ghost at the start beside the player's design just loaded; the demo's
// aircraft (any other file) flies without one.
void GhostFollowsLoad(Game& g, bool playerDesign) {
  if (!playerDesign) {
    DropGhost(g.Ghost);
    return;
  }
  PutChosenGhost(g);
}

// Neither the ghost nor its line is drawn while no ghost is chosen, nor in the demo.
void DrawGhostInScene(Game& g, const LiveFrame& frame) {
  if (frame.ShownAs != Demo) DrawGhost(g.Ghost, *g.Device);
}

void DrawGhostLineInHud(Game& g, const LiveFrame& frame) {
  if (g.Ghost.Choice == GhostChoice::None || frame.ShownAs == Demo || !g.Aircraft) return;
  const bool racing = frame.ShownAs != Ready;
  DrawGhostLine(g.Ghost, *g.Device, g.WindowWidth, GhostLineText(g.Ghost, racing, g.Aircraft->DisplayX));
}

}  // namespace

void ChooseGhost(Game& g, GhostChoice choice) {
  g.Ghost.Choice = choice;
  if (choice == GhostChoice::CoachBest) FollowPlayerDesign(g);
  if (choice == GhostChoice::None) {
    DropGhost(g.Ghost);
  } else if (g.State == Ready) {
    PutChosenGhost(g);
  }
}

void ChooseGivenGhost(Game& g, std::string entryText, std::string sjisName) {
  g.Ghost.GivenEntry = std::move(entryText);
  g.Ghost.GivenName = std::move(sjisName);
  ChooseGhost(g, GhostChoice::Given);
}

void RequestRaceBest(Game& g) {
  if (RaceCanBeAsked(g.State)) g.Ghost.RaceBestRequested = true;
}

FeatureHooks GhostRaceHooks() {
  FeatureHooks hooks;
  hooks.BeforeTick = GhostBeforeTick;
  hooks.AfterLoad = GhostFollowsLoad;
  hooks.HoldsResult = GhostHoldsResult;
  hooks.DrawInScene = DrawGhostInScene;
  hooks.DrawOverHud = DrawGhostLineInHud;
  return hooks;
}

}  // namespace game
