#include "app/menu_commands.h"

#include <ctime>

#include "game/flight_export.h"
#include "game/watch_flight.h"
#include "platform/services.h"
#include "ranking/control_log.h"
#include "ranking/registration.h"

namespace app {
namespace {

constexpr const char* kConfiguratorCommand = "config.exe";

void EditAircraft(game::Game& g) {
  if (platform::Os().processes) platform::Os().processes->RunAndWait(kConfiguratorCommand);
  // Whatever the configurator did (or if it never started), fly what "temp.txt" holds
  // now, from the start of the platform, with a fresh control log: a flight it
  // interrupted must not leave its tail settings in front of the next one.
  game::LoadGameAircraft(g, ranking::kWorkingAircraftFile);
  if (g.Ranking) ranking::ResetControlLog(*g.Ranking, g.Aircraft->TailSetting);
  g.State = game::Ready;
}

// The game reads its own flag; the menu shows it as the item's check mark.
void ToggleDesignMode(game::Game& g) {
  g.DesignMode = !g.DesignMode;
  if (platform::Menu* menu = platform::Os().menu) menu->SetChecked(kDesignMode, g.DesignMode);
}

// Off by default; turned on, it searches the player's design at once.
void ToggleCoachLine(game::Game& g) {
  g.ShowCoach = !g.ShowCoach;
  if (platform::Menu* menu = platform::Os().menu) menu->SetChecked(kCoachLine, g.ShowCoach);
  if (g.ShowCoach) game::FollowPlayerDesign(g);
}

void ExportCsv(game::Game& g) {
  const std::time_t now = std::time(nullptr);
  game::ExportLastFlightCsv(g, *std::localtime(&now));
}

}  // namespace

bool HandleMenuCommand(game::Game& g, int commandId) {
  switch (commandId) {
    case kEditAircraft: EditAircraft(g); break;
    case kQuit: return false;
    case kDesignMode: ToggleDesignMode(g); break;
    case kCoachLine: ToggleCoachLine(g); break;
    case kExportCsv: ExportCsv(g); break;
    case kGhostNone: game::ChooseGhost(g, game::GhostChoice::None); break;
    case kGhostRankingBest: game::ChooseGhost(g, game::GhostChoice::RankingBest); break;
    case kGhostCoachBest: game::ChooseGhost(g, game::GhostChoice::CoachBest); break;
    case kRaceBest: game::RequestRaceBest(g); break;
    default:
      if (commandId >= kWatchEntryFirst && commandId <= kWatchEntryLast)
        game::WatchRankedFlight(g, commandId - kWatchEntryFirst);
      break;
  }
  return true;
}

}  // namespace app
