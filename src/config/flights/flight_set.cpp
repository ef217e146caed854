#include "config/flights/flight_set.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "flight/flight_csv.h"
#include "platform/text/language.h"

namespace config {

FlightSet::FlightSet()
    : XColumn(GameFlightColumns()[flight::kCsvX]), YColumn(GameFlightColumns()[flight::kCsvHeight]) {}

std::string AddFlight(FlightSet& set, FlightLoad load) {
  if (!load.Table) return load.Error;
  FlightTable& table = *load.Table;
  const auto same = std::ranges::find_if(set.Flights, [&](const FlightTable& f) { return f.Source == table.Source; });
  if (same != set.Flights.end()) {
    *same = std::move(table);
    ++set.Revision;
    return platform::Formatted(platform::TranslatedUtf8(N_("%s を読み直しました")), same->Label.c_str());
  }
  if (set.Flights.size() >= kMaxFlights) {
    return platform::Formatted(
        platform::TranslatedUtf8(N_("重ねられる飛行は %zu つまでです。どれかを外してください。")), size_t{kMaxFlights});
  }
  // Two pilots of the same name, or an entry and its own export: the file tells them apart.
  const bool labelTaken = std::ranges::any_of(set.Flights, [&](const FlightTable& f) { return f.Label == table.Label; });
  if (labelTaken) table.Label += " (" + table.Source + ")";
  set.Flights.push_back(std::move(table));
  ++set.Revision;
  const FlightTable& added = set.Flights.back();
  return platform::Formatted(platform::TranslatedUtf8(added.Flown ? N_("%s を飛ばしました") : N_("%s を読みました")),
                             added.Label.c_str());
}

void RemoveFlight(FlightSet& set, size_t index) {
  if (index >= set.Flights.size()) return;
  set.Flights.erase(set.Flights.begin() + static_cast<std::ptrdiff_t>(index));
  ++set.Revision;
}

std::vector<std::string> ColumnChoices(const FlightSet& set) {
  // A header may hold hundreds of thousands of names: each is looked up once in a hash
  // set of those seen, not compared with every earlier one.
  std::vector<std::string> names;
  std::unordered_set<std::string_view> seen;
  for (const FlightTable& f : set.Flights) {
    for (const std::string& c : f.Columns) {
      if (seen.insert(c).second) names.push_back(c);
    }
  }
  return names;
}

void ChooseColumn(FlightSet& set, PlotAxis axis, const std::string& column) {
  (axis == PlotAxis::X ? set.XColumn : set.YColumn) = column;
  ++set.Revision;
}

std::span<const AxisPreset> AxisPresets() {
  using namespace flight;
  static const AxisPreset kPresets[] = {
      {N_("高度と距離"), kCsvX, kCsvHeight},         {N_("速度"), kCsvTime, kCsvResultantSpeed},
      {N_("迎角"), kCsvTime, kCsvBodyAlpha},         {N_("揚力係数"), kCsvTime, kCsvWingCl},
      {N_("尾翼設定角"), kCsvTime, kCsvTailSetting},
  };
  return kPresets;
}

void ApplyPreset(FlightSet& set, const AxisPreset& preset) {
  ChooseColumn(set, PlotAxis::X, GameFlightColumns()[preset.XColumn]);
  ChooseColumn(set, PlotAxis::Y, GameFlightColumns()[preset.YColumn]);
}

std::vector<FlightSeries> ChosenSeries(const FlightSet& set) {
  std::vector<FlightSeries> series;
  for (size_t i = 0; i < set.Flights.size(); ++i) {
    const FlightTable& f = set.Flights[i];
    const int x = f.ColumnIndex(set.XColumn), y = f.ColumnIndex(set.YColumn);
    if (x < 0 || y < 0) continue;
    series.push_back({i, f.Values[x], f.Values[y]});
  }
  return series;
}

}  // namespace config
