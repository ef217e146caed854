#include "league/verification.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "aircraft/aircraft_file.h"
#include "config/figures/game_figures.h"
#include "flight/aircraft.h"
#include "ranking/ranking_files.h"
#include "sim/headless_flight.h"

namespace league {
namespace {

std::string DesignFigures(const flight::AircraftSpec& spec, const config::GameFigures& f) {
  const double span = f.StripModelOn ? f.StripSpan : spec.WingSpan;
  nlohmann::json figures = {
      {"span_m", span},
      {"wing_area_m2", f.StripModelOn ? f.StripAreaBothHalves : f.WingArea},
      {"aspect_ratio", f.AspectRatio},
      {"mass_kg", spec.Mass},
      {"tail_volume", f.TailVolume},
      {"strip_model", f.StripModelOn},
  };
  // A design with values that are not numbers has no figures worth showing.
  for (auto& [key, value] : figures.items()) {
    if (value.is_number_float() && !std::isfinite(value.get<double>())) value = nullptr;
  }
  return figures.dump();
}

Refusal Unreadable(std::string reason) { return {RefusalKind::Unreadable, std::move(reason), 0, "entry_file"}; }

}  // namespace

std::variant<VerifiedFlight, Refusal> VerifyEntry(const Contest& contest, std::string_view entry,
                                                  std::chrono::sys_days day) {
  if (!aircraft::HasAircraftFileLayout(entry))
    return Unreadable("the entry is not a ranking entry file (its first lines are not a design's 49)");
  const auto parsed = ranking::ParseEntryFile(entry);
  if (!parsed || parsed->Log.Count == 0)
    return Unreadable("the entry has no tail settings after its separator line");
  const flight::AircraftSpec spec = aircraft::ParseAircraftSpecText(entry);
  const config::GameFigures figures = config::ComputeFigures(spec);
  if (auto breach = CheckContestRules(contest, spec, figures, day))
    return Refusal{RefusalKind::RuleBroken, breach->Reason, breach->Line, breach->Rule};

  const std::string text(entry);
  const sim::FlightOutcome flown = sim::FlyWithControlLog(text, parsed->Log);
  if (!flown.LaunchEnded)
    return Refusal{RefusalKind::RuleBroken, "the launch run never reaches the platform's edge", 4, "flyable"};
  if (!std::isfinite(flown.Distance))
    return Refusal{RefusalKind::RuleBroken, "the flight's numbers overflow (the distance is not a number)", 0,
                   "flyable"};
  VerifiedFlight verified;
  verified.Normalized = ranking::FormatEntryFile(parsed->Lines, parsed->Log);
  verified.Distance = flown.Distance;
  verified.LastStep = flown.LastStep;
  verified.Figures = DesignFigures(spec, figures);
  return verified;
}

std::vector<ProfilePoint> FlightProfile(std::string_view entry, size_t maxPoints) {
  std::vector<ProfilePoint> points;
  if (!aircraft::HasAircraftFileLayout(entry) || maxPoints < 2) return points;
  const auto parsed = ranking::ParseEntryFile(entry);
  if (!parsed) return points;
  const sim::FlightOutcome flown = sim::FlyWithControlLog(std::string(entry), parsed->Log);
  if (!flown.LaunchEnded) return points;
  const auto& records = flown.Aircraft->Records;
  const size_t rows = static_cast<size_t>(flown.LastStep) + 1;
  const size_t stride = (rows + maxPoints - 2) / (maxPoints - 1);
  auto add = [&](size_t row) {
    points.push_back({records[row].Position[flight::kX], -records[row].Position[flight::kZ]});
  };
  for (size_t row = 0; row + 1 < rows; row += stride) add(row);
  add(rows - 1);
  return points;
}

}  // namespace league
