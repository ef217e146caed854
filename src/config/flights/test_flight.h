#pragma once
// Flying the design on the spot: the very flight velkaro-sim makes of the file the
// design would be saved as, and a sweep over constant tail settings.
#include <optional>
#include <vector>

#include "flight/aircraft.h"
#include "sim/headless_flight.h"
#include "sim/trim_sweep.h"

namespace config {

struct FlightProfile {
  bool LaunchEnded = false;   // false: the run never reached the platform's edge
  int LaunchTicks = 0;        // 0.02 s ticks on the platform
  float Distance = 0;         // m, as the game shows it
  int LastStep = 0;           // touchdown record
  std::vector<float> X;       // m, forward from the platform's edge, record 0 .. LastStep
  std::vector<float> Height;  // m above the water, likewise
};

// The profile of a flight the sim layer flew.
FlightProfile ProfileOf(const sim::FlightOutcome& outcome);

// Flies the design as the game would fly it once saved, untouched by the player (or
// with a constant tail setting in degrees from the first launch tick on).
FlightProfile FlyDesign(const flight::AircraftSpec& spec, std::optional<double> trimDeg = std::nullopt);

struct SweepPoint {
  double TrimDeg = 0;
  float Distance = 0;  // m
  bool LaunchEnded = false;
};

// Flights at constant tail settings From, From + Step, ... up to To, one at a time so
// a window stays responsive between them.
struct TrimSweep {
  flight::AircraftSpec Spec;            // the design as it was when the sweep began
  sim::TrimSweepRange Range;            // the settings, as velkaro-sim's --sweep flies them
  std::vector<SweepPoint> Points = {};  // flown so far, in order
};

// Nothing when the range is not From <= To with Step > 0 and at most
// sim::kMaxTrimSweepFlights settings.
std::optional<TrimSweep> StartSweep(const flight::AircraftSpec& spec, double from, double to, double step);
int SweepFlightCount(const TrimSweep& sweep);
bool SweepDone(const TrimSweep& sweep);
// Flies the next setting (nothing once done).
void FlyNextTrim(TrimSweep& sweep);
// The longest flight so far that left the platform and gave a distance.
std::optional<SweepPoint> BestTrim(const TrimSweep& sweep);

// A setting this close to the best one (deg), flown this much shorter, makes the best
// one a knife edge: a small trim change or gust loses the flight.
inline constexpr double kCliffWindowDeg = 0.25;
inline constexpr double kCliffShare = 0.75;  // of the best distance
// The shortest flight within kCliffWindowDeg of the best that fell under kCliffShare of
// its distance (or never left the platform); nothing when the best has no such cliff.
std::optional<SweepPoint> CliffBesideBest(const TrimSweep& sweep);

}  // namespace config
