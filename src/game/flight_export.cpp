#include "game/flight_export.h"

#include <span>

#include "flight/flight_csv.h"
#include "platform/services.h"
#include "platform/text/language.h"

namespace game {
namespace {

// "CSVを書き出しました: "
constexpr const char* kExportedPrefix = N_("CSV\x82\xf0\x8f\x91\x82\xab\x8f\x6f\x82\xb5\x82\xdc\x82\xb5\x82\xbd: ");

// A flight of the player's is under way: it is the one to export, as far as it got.
bool PlayerFlying(const Game& g) { return g.State == Launch || g.State == Flight; }

}  // namespace

void KeepFinishedFlight(Game& g) {
  const auto& rows = g.Aircraft->RecordCopy;
  g.FinishedFlight.assign(rows.begin(), rows.begin() + g.Aircraft->LastStep + 1);
}

std::string ExportLastFlightCsv(Game& g, const std::tm& localTime) {
  if (!g.Aircraft) return {};
  const bool current = PlayerFlying(g) || g.FinishedFlight.empty();
  const std::string name = current ? flight::ExportFlightCsv(*g.Aircraft, localTime)
                                   : flight::ExportFlightCsvRows(g.FinishedFlight, localTime);
  if (!name.empty() && g.Device) {
    ShowStatus(g.Status, *g.Device, g.ClientHeight, platform::Translated(kExportedPrefix) + name,
               platform::Os().clock->NowMs());
  }
  return name;
}

}  // namespace game
