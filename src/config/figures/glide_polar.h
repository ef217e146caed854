#pragma once
// The glide polar of a design: steady glides of the game's own flight model, high above
// the water and in still air, each at one constant tail setting; the speed and sink at
// the end of each glide give one point of sink speed over airspeed.
#include <optional>
#include <vector>

#include "flight/aircraft.h"
#include "sim/headless_flight.h"

namespace config {

struct PolarPoint {
  double TrimDeg = 0;
  double Airspeed = 0;    // m/s, mean over the measuring window
  double SinkRate = 0;    // m/s, height lost per second, positive downward
  double GlideRatio = 0;  // distance over height lost
  bool Steady = false;    // the two halves of the window agree: the glide has settled
};

// Start height of the glides (m): ground effect is nil there and 100 s of sinking
// never reach the water.
inline constexpr double kPolarStartHeight = 3000;
// The last seconds of the 100 s record that are measured, split in two halves whose
// sink and speed must agree within kSteadyTolerance (relative) plus kSteadySlack (m/s).
inline constexpr double kPolarWindowSeconds = 40;
inline constexpr double kSteadyTolerance = 0.02;
inline constexpr double kSteadySlack = 0.01;  // m/s

// One glide at a constant tail setting (deg).
PolarPoint SteadyGlide(const flight::AircraftSpec& spec, double trimDeg);
// The same glide's flight, for figures read off the aircraft at its end, and the point
// measured from it.
sim::FlightOutcome FlyGlide(const flight::AircraftSpec& spec, double trimDeg);
PolarPoint MeasureGlide(const sim::FlightOutcome& outcome, double trimDeg);

// The glides of a range of tail settings, flown one at a time.
struct GlidePolar {
  flight::AircraftSpec Spec;
  std::vector<double> Trims;  // deg, in order
  std::vector<PolarPoint> Points = {};
};

// Nothing unless from <= to, step > 0 and at most kMaxPolarGlides settings.
inline constexpr int kMaxPolarGlides = 200;
std::optional<GlidePolar> StartPolar(const flight::AircraftSpec& spec, double fromDeg, double toDeg, double stepDeg);
bool PolarDone(const GlidePolar& polar);
void FlyNextGlide(GlidePolar& polar);

// Indices into Points of the steady glide with the best glide ratio and of the one
// with the least sink; -1 when there is none.
int BestGlideIndex(const GlidePolar& polar);
int MinSinkIndex(const GlidePolar& polar);

// The point sits at the edge of the steady glides: a neighbouring setting stalled or
// swung instead of settling, so the optimum is limited by the stall rather than found
// between worse glides on both sides.
bool AtSteadyEdge(const GlidePolar& polar, int index);

}  // namespace config
