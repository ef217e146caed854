#include "app/league_menu.h"

#include "app/menu_commands.h"
#include "app/watch_menu.h"
#include "game/ghost_game.h"
#include "game/watch_flight.h"
#include "platform/text/language.h"
#include "ranking/ranking_files.h"

namespace app {
namespace {

constexpr const char* kGhostPrefix = N_("\x83\x53\x81\x5b\x83\x58\x83\x67: ");  // "ゴースト: "
constexpr const char* kWatchPrefix = N_("\x8c\xa9\x82\xe9: ");                  // "見る: "
constexpr const char* kNoFlight = "-";

const std::vector<game::LeagueLink::TopFlight>& TopFlights(const game::Game& g) {
  static const std::vector<game::LeagueLink::TopFlight> none;
  return g.League ? g.League->TopFlights() : none;
}

}  // namespace

void UpdateLeagueMenu(const game::Game& g, platform::Menu& menu) {
  // "上位を読み込む"
  menu.SetItem(kLeagueTopFetch, platform::Translated(N_("\x8f\xe3\x88\xca\x82\xf0\x93\xc7\x82\xdd\x8d\x9e\x82\xde")),
               g.League != nullptr);
  const auto& top = TopFlights(g);
  const bool watchable = game::WatchAllowedNow(g);
  for (int place = 0; place <= kLeagueGhostLast - kLeagueGhostFirst; ++place) {
    const size_t index = static_cast<size_t>(place);
    const bool listed = index < top.size();
    const std::string label = listed ? top[index].LabelSjis : platform::Translated(kNoFlight);
    const bool flyable = listed && !top[index].Entry.empty();
    menu.SetItem(kLeagueGhostFirst + place, platform::Translated(kGhostPrefix) + label, flyable);
    menu.SetItem(kLeagueWatchFirst + place, platform::Translated(kWatchPrefix) + label, flyable && watchable);
  }
  for (int entry = 0; entry < ranking::kEntryCount; ++entry) {
    menu.SetItem(kSendEntryFirst + entry, WatchItemText(g, entry), g.League && game::EntryHasFlight(g, entry));
  }
}

void SendRankedEntry(game::Game& g, int entry) {
  if (!g.League || entry < 0 || entry >= ranking::kEntryCount || !game::EntryHasFlight(g, entry)) return;
  const ranking::RankingTable& table = *g.Ranking;
  g.League->SendFlight(ranking::FormatEntryFile(table.EntryLines[entry], table.EntryLogs[entry]),
                       table.Entries[entry].Distance);
}

void WatchLeagueFlight(game::Game& g, int index) {
  const auto& top = TopFlights(g);
  if (index < 0 || index >= static_cast<int>(top.size()) || top[index].Entry.empty()) return;
  game::WatchEntryText(g, top[index].Entry);
}

void RaceLeagueFlight(game::Game& g, int index) {
  const auto& top = TopFlights(g);
  if (index < 0 || index >= static_cast<int>(top.size()) || top[index].Entry.empty()) return;
  game::ChooseGivenGhost(g, top[index].Entry, top[index].NameSjis);
}

}  // namespace app
