#include "game/ghost_game.h"

#include "platform/files.h"
#include "platform/services.h"
#include "ranking/ranking_files.h"

namespace game {
namespace {

bool RaceCanBeAsked(uint8_t state) { return state == Ready || state == Landed || state == Replay; }

bool GhostFlies(uint8_t state) { return state == Launch || state == Flight || state == Landed; }

// One check mark, on the chosen ghost's item.
void ShowChoice(const GhostRace& race) {
  platform::Menu* menu = platform::Os().menu;
  if (!menu) return;
  menu->SetChecked(kGhostNoneItem, race.Choice == GhostChoice::None);
  menu->SetChecked(kGhostRankingBestItem, race.Choice == GhostChoice::RankingBest);
  menu->SetChecked(kGhostCoachBestItem, race.Choice == GhostChoice::CoachBest);
}

// Entry 0's file as it is on disk now (a registration may just have rewritten it), or
// the coach's best flight once its search has ended with one.
std::optional<std::string> ChosenEntryText(const Game& g) {
  if (g.Ghost.Choice == GhostChoice::CoachBest) return g.Coach.BestEntry();
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
  PlaceGhost(g.Ghost, ChosenEntryText(g), *g.Device, WhyMissing(g));
}

// A request is carried out at the start, during the replay, and after a touchdown in
// the design mode (which offers no ranking); after any other touchdown it waits for
// the replay, which follows the ranking registration. Elsewhere it is dropped.
void CarryOutRaceRequest(Game& g) {
  const bool now = g.State == Ready || g.State == Replay || (g.State == Landed && g.DesignMode);
  if (!now && g.State == Landed) return;
  g.Ghost.RaceBestRequested = false;
  if (!now) return;
  g.Ghost.Choice = GhostChoice::RankingBest;
  ShowChoice(g.Ghost);
  g.State = Restart;  // which loads the design and puts the ghost at the start
}

}  // namespace

void ChooseGhost(Game& g, GhostChoice choice) {
  g.Ghost.Choice = choice;
  ShowChoice(g.Ghost);
  if (choice == GhostChoice::CoachBest) FollowPlayerDesign(g);
  if (choice == GhostChoice::None) {
    DropGhost(g.Ghost);
  } else if (g.State == Ready) {
    PutChosenGhost(g);
  }
}

void GhostFollowsLoad(Game& g, bool playerDesign) {
  if (!playerDesign) {
    DropGhost(g.Ghost);
    return;
  }
  PutChosenGhost(g);
}

void RequestRaceBest(Game& g) {
  if (RaceCanBeAsked(g.State)) g.Ghost.RaceBestRequested = true;
}

void GhostBeforeTick(Game& g) {
  if (g.State == Init) ShowChoice(g.Ghost);
  const bool keyDown = platform::Os().input->IsDown(kRaceBestKey);
  if (keyDown && !g.Ghost.KeyWasDown) RequestRaceBest(g);
  g.Ghost.KeyWasDown = keyDown;
  if (g.Ghost.RaceBestRequested) CarryOutRaceRequest(g);

  if (g.State == Ready && g.Ghost.Absence == GhostAbsence::CoachSearching && g.Coach.Ready()) PutChosenGhost(g);
  if (g.Ghost.Flight && GhostFlies(g.State)) g.Ghost.Flight->Tick();
}

void DrawGhostInScene(Game& g) {
  if (g.State != Demo) DrawGhost(g.Ghost, *g.Device);
}

void DrawGhostLineInHud(Game& g) {
  if (g.Ghost.Choice == GhostChoice::None || g.State == Demo || !g.Aircraft) return;
  const bool racing = g.State != Ready;
  DrawGhostLine(g.Ghost, *g.Device, g.WindowWidth, GhostLineText(g.Ghost, racing, g.Aircraft->DisplayX));
}

}  // namespace game
