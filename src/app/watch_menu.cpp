#include "app/watch_menu.h"

#include "app/menu_commands.h"
#include "game/watch_flight.h"
#include "platform/text/language.h"
#include "platform/text/text_fields.h"

namespace app {
namespace {

constexpr const char* kNumberSeparator = ". ";
constexpr const char* kNameSeparator = "  ";
constexpr const char* kNoFlight = N_("(\x8b\xf3\x82\xab)");  // "(空き)"

}  // namespace

std::string WatchItemText(const game::Game& g, int entry) {
  std::string text = std::to_string(entry + 1) + kNumberSeparator;
  if (!game::EntryHasFlight(g, entry)) return text + platform::Translated(kNoFlight);
  const ranking::RankingEntry& row = g.Ranking->Entries[entry];
  return text + row.Name + kNameSeparator + platform::TwoDecimalText(row.Distance) + "m";
}

void UpdateWatchMenu(const game::Game& g, platform::Menu& menu) {
  const bool allowed = game::WatchAllowedNow(g);
  for (int entry = 0; entry < ranking::kEntryCount; ++entry) {
    menu.SetItem(kWatchEntryFirst + entry, WatchItemText(g, entry), allowed && game::EntryHasFlight(g, entry));
  }
}

}  // namespace app
