#include "app/menu_commands.h"

#include <ctime>

#include "app/league_menu.h"
#include "app/league_option.h"
#include "app/saved_options.h"
#include "app/watch_menu.h"
#include "game/flight_export.h"
#include "game/ghost_game.h"
#include "game/watch_flight.h"
#include "platform/services.h"
#include "platform/text/language.h"

namespace app {
namespace {

constexpr const char* kConfiguratorCommand = "config.exe";

void EditAircraft(game::Game& g) {
  if (platform::Os().processes) platform::Os().processes->RunAndWait(kConfiguratorCommand);
  // Whatever the configurator did (or if it never started), fly what it left.
  game::ReloadPlayerDesign(g);
}

void ExportCsv(game::Game& g) {
  const std::time_t now = std::time(nullptr);
  game::ExportLastFlightCsv(g, *std::localtime(&now));
}

AfterCommand CarryOut(game::Game& g, int commandId) {
  switch (commandId) {
    case kEditAircraft: EditAircraft(g); break;
    case kQuit: return AfterCommand::Quit;
    case kDesignMode: game::SetDesignMode(g, !g.DesignMode); break;
    case kCoachLine: game::SetCoachLine(g, !g.ShowCoach); break;
    case kExportCsv: ExportCsv(g); break;
    case kGhostNone: game::ChooseGhost(g, game::GhostChoice::None); break;
    case kGhostRankingBest: game::ChooseGhost(g, game::GhostChoice::RankingBest); break;
    case kGhostCoachBest: game::ChooseGhost(g, game::GhostChoice::CoachBest); break;
    case kRaceBest: game::RequestRaceBest(g); break;
    case kLeagueSettings: EditLeagueSettings(g); break;
    case kSoundEffects: g.SoundChoice.On = !g.SoundChoice.On; break;
    case kVariometer: g.SoundChoice.Variometer = !g.SoundChoice.Variometer; break;
    case kLanguageAuto: platform::UseLanguage(platform::LanguageChoice::Auto); break;
    case kLanguageJapanese: platform::UseLanguage(platform::LanguageChoice::Japanese); break;
    case kLanguageEnglish: platform::UseLanguage(platform::LanguageChoice::English); break;
    case kLeagueTopFetch:
      if (g.League) g.League->RequestTop();
      break;
    default:
      if (commandId >= kVolumeFirst && commandId <= kVolumeLast)
        g.SoundChoice.VolumeStep = commandId - kVolumeFirst + 1;
      if (commandId >= kWatchEntryFirst && commandId <= kWatchEntryLast)
        game::WatchRankedFlight(g, commandId - kWatchEntryFirst);
      if (commandId >= kLeagueGhostFirst && commandId <= kLeagueGhostLast)
        RaceLeagueFlight(g, commandId - kLeagueGhostFirst);
      if (commandId >= kSendEntryFirst && commandId <= kSendEntryLast) SendRankedEntry(g, commandId - kSendEntryFirst);
      if (commandId >= kLeagueWatchFirst && commandId <= kLeagueWatchLast)
        WatchLeagueFlight(g, commandId - kLeagueWatchFirst);
      break;
  }
  return AfterCommand::KeepRunning;
}

}  // namespace

AfterCommand HandleMenuCommand(game::Game& g, int commandId) {
  if (platform::Sound* sound = platform::Os().sound) sound->Play(platform::SoundCue::Click);
  const AfterCommand after = CarryOut(g, commandId);
  if (platform::Menu* menu = platform::Os().menu) ShowOptionChecks(g, *menu);
  return after;
}

void ShowOptionChecks(const game::Game& g, platform::Menu& menu) {
  menu.SetChecked(kDesignMode, g.DesignMode);
  menu.SetChecked(kCoachLine, g.ShowCoach);
  menu.SetChecked(kGhostNone, g.Ghost.Choice == game::GhostChoice::None);
  menu.SetChecked(kGhostRankingBest, g.Ghost.Choice == game::GhostChoice::RankingBest);
  menu.SetChecked(kGhostCoachBest, g.Ghost.Choice == game::GhostChoice::CoachBest);
  menu.SetChecked(kSoundEffects, g.SoundChoice.On);
  for (int id = kVolumeFirst; id <= kVolumeLast; ++id)
    menu.SetChecked(id, g.SoundChoice.VolumeStep == id - kVolumeFirst + 1);
  menu.SetChecked(kVariometer, g.SoundChoice.Variometer);
  const platform::LanguageChoice language = platform::CurrentLanguageChoice();
  menu.SetChecked(kLanguageAuto, language == platform::LanguageChoice::Auto);
  menu.SetChecked(kLanguageJapanese, language == platform::LanguageChoice::Japanese);
  menu.SetChecked(kLanguageEnglish, language == platform::LanguageChoice::English);
}

void RunTick(game::Game& g) {
  game::IdleTick(g);
  KeepChangedOptions(g);
  if (platform::Menu* menu = platform::Os().menu) {
    ShowOptionChecks(g, *menu);
    UpdateWatchMenu(g, *menu);
    UpdateLeagueMenu(g, *menu);
  }
}

}  // namespace app
