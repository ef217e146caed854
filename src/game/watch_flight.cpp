#include "game/watch_flight.h"

#include "ranking/ranking_files.h"

namespace game {

bool EntryHasFlight(const Game& g, int entry) {
  if (!g.Ranking || entry < 0 || entry >= ranking::kEntryCount) return false;
  const ranking::RankingEntry& row = g.Ranking->Entries[entry];
  const bool inTable = !row.Name.empty() || row.Distance != 0;
  return inTable && g.Ranking->EntryLogs[entry].Count > 0;
}

bool WatchAllowedNow(const Game& g) {
  switch (g.State) {
    case Ready:
    case Demo:
    case Replay:
    case WaitRelease:
    case Restart: return g.Aircraft != nullptr;
    default: return false;  // Init, and the player's launch, flight and result
  }
}

bool WatchRankedFlight(Game& g, int entry) {
  if (!WatchAllowedNow(g) || !EntryHasFlight(g, entry)) return false;
  // Every watched flight starts from the state a restart leaves: the replay cameras
  // drawn afresh and the aircraft run from the top of the platform.
  RestartGame(g);
  StartDemoFlight(g, static_cast<int8_t>(entry));
  g.WatchingEntry = true;
  g.Phase = DemoLaunch;  // no fly-by
  return true;
}

bool WatchEntryText(Game& g, const std::string& entryText) {
  if (!WatchAllowedNow(g)) return false;
  auto parsed = ranking::ParseEntryFile(entryText);
  if (!parsed || parsed->Log.Count == 0) return false;
  RestartGame(g);
  std::string lines;
  for (const std::string& line : parsed->Lines) lines += line + "\r\n";
  StartWatchedFlight(g, lines, parsed->Log);
  g.WatchingEntry = true;
  g.Phase = DemoLaunch;  // no fly-by
  return true;
}

}  // namespace game
