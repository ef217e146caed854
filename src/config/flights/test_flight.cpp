#include "config/flights/test_flight.h"

#include <cmath>

#include "aircraft/aircraft_file.h"
#include "sim/trim_sweep.h"

namespace config {

FlightProfile ProfileOf(const sim::FlightOutcome& outcome) {
  FlightProfile profile;
  profile.LaunchEnded = outcome.LaunchEnded;
  profile.LaunchTicks = outcome.LaunchTicks;
  profile.Distance = outcome.Distance;
  profile.LastStep = outcome.LastStep;
  if (!outcome.LaunchEnded) return profile;
  const flight::Aircraft& a = *outcome.Aircraft;
  for (int n = 0; n <= outcome.LastStep; ++n) {
    const flight::FlightRecord& r = a.Records[n];
    profile.X.push_back(static_cast<float>(r.Position[flight::kX]));
    profile.Height.push_back(static_cast<float>(-r.Position[flight::kZ]));
  }
  return profile;
}

FlightProfile FlyDesign(const flight::AircraftSpec& spec, std::optional<double> trimDeg) {
  return ProfileOf(sim::FlyAircraftText(aircraft::FormatAircraftSpec(spec), {.TrimDeg = trimDeg}));
}

std::optional<TrimSweep> StartSweep(const flight::AircraftSpec& spec, double from, double to, double step) {
  const std::optional<sim::TrimSweepRange> range = sim::MakeTrimSweepRange(from, to, step);
  if (!range) return std::nullopt;
  return TrimSweep{.Spec = spec, .Range = *range};
}

int SweepFlightCount(const TrimSweep& sweep) { return sweep.Range.Count; }

bool SweepDone(const TrimSweep& sweep) { return static_cast<int>(sweep.Points.size()) >= SweepFlightCount(sweep); }

void FlyNextTrim(TrimSweep& sweep) {
  if (SweepDone(sweep)) return;
  // The decimal a user means by From + k * Step (-0.3, not -0.30000000000000004), so a
  // setting applied to the design is written to the file as the player expects.
  const double trim = sim::TrimSweepSetting(sweep.Range, static_cast<int>(sweep.Points.size()));
  const FlightProfile flight = FlyDesign(sweep.Spec, trim);
  sweep.Points.push_back({trim, flight.Distance, flight.LaunchEnded});
}

std::optional<SweepPoint> BestTrim(const TrimSweep& sweep) {
  std::optional<SweepPoint> best;
  for (const SweepPoint& p : sweep.Points) {
    if (!p.LaunchEnded || !std::isfinite(p.Distance)) continue;
    if (!best || p.Distance > best->Distance) best = p;
  }
  return best;
}

std::optional<SweepPoint> CliffBesideBest(const TrimSweep& sweep) {
  const auto best = BestTrim(sweep);
  if (!best) return std::nullopt;
  // A hair over the window, so a step of exactly 0.25 deg counts whatever its rounding.
  constexpr double kWindowSlack = 1e-9;  // deg
  std::optional<SweepPoint> cliff;
  for (const SweepPoint& p : sweep.Points) {
    if (std::fabs(p.TrimDeg - best->TrimDeg) > kCliffWindowDeg + kWindowSlack) continue;
    const bool flew = p.LaunchEnded && std::isfinite(p.Distance);
    const bool shortFall = !flew || p.Distance < kCliffShare * best->Distance;
    if (!shortFall) continue;
    if (!cliff || !flew || (cliff->LaunchEnded && p.Distance < cliff->Distance)) cliff = p;
  }
  return cliff;
}

}  // namespace config
