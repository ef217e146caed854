#include "config/flights/test_flight.h"

#include <cmath>

#include "aircraft/aircraft_file.h"
#include "sim/demo_flight.h"

namespace config {

namespace {

// The setting a sweep means by From + k * Step: -0.6 + 3 * 0.1 is -0.3 and
// -0.6 + 6 * 0.1 is 0, not -0.30000000000000004 and 1.1e-16, so a setting applied to
// the design is written to the file as the player expects. Nanodegrees are far below
// anything that matters to a flight; a whole number divided by an exact power of ten
// gives the double nearest that decimal.
double CleanDecimal(double value) {
  constexpr double kGrid = 1e9;     // steps per degree
  constexpr double kLargest = 1e6;  // deg; beyond this the grid loses precision
  if (!(std::fabs(value) < kLargest)) return value;
  return std::round(value * kGrid) / kGrid + 0.0;
}

}  // namespace

FlightProfile FlyDesign(const flight::AircraftSpec& spec, std::optional<double> trimDeg) {
  const sim::FlightOutcome outcome = sim::FlyAircraftText(aircraft::FormatAircraftSpec(spec), {.TrimDeg = trimDeg});
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

std::optional<TrimSweep> StartSweep(const flight::AircraftSpec& spec, double from, double to, double step) {
  if (!(step > 0) || !(from <= to) || !std::isfinite(from) || !std::isfinite(to)) return std::nullopt;
  TrimSweep sweep{.Spec = spec, .From = from, .To = to, .Step = step};
  if ((to - from) / step + 1 > kMaxSweepFlights) return std::nullopt;
  return sweep;
}

int SweepFlightCount(const TrimSweep& sweep) {
  // The small allowance keeps To itself in when rounding puts it a hair beyond.
  return static_cast<int>(std::floor((sweep.To - sweep.From) / sweep.Step + 1e-9)) + 1;
}

bool SweepDone(const TrimSweep& sweep) { return static_cast<int>(sweep.Points.size()) >= SweepFlightCount(sweep); }

void FlyNextTrim(TrimSweep& sweep) {
  if (SweepDone(sweep)) return;
  const double trim = CleanDecimal(sweep.From + static_cast<double>(sweep.Points.size()) * sweep.Step);
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

}  // namespace config
