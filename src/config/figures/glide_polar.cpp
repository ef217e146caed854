#include "config/figures/glide_polar.h"

#include <cmath>

#include "aircraft/aircraft_file.h"

namespace config {
namespace {

struct WindowMeans {
  double Sink = 0;      // m/s
  double Airspeed = 0;  // m/s
  double Forward = 0;   // m/s along the ground
};

// Means over records [from, to): sink and forward speed from the positions at the
// ends, airspeed as the mean of the body-axis speed (still air).
WindowMeans Means(const flight::Aircraft& a, int from, int to) {
  WindowMeans m;
  const double seconds = (to - from) * flight::kTimeStep;
  const flight::FlightRecord& r0 = a.Records[from];
  const flight::FlightRecord& r1 = a.Records[to];
  m.Sink = (r1.Position[flight::kZ] - r0.Position[flight::kZ]) / seconds;
  m.Forward = (r1.Position[flight::kX] - r0.Position[flight::kX]) / seconds;
  double sum = 0;
  for (int n = from; n < to; ++n) sum += std::hypot(a.Records[n].Velocity[0], a.Records[n].Velocity[1]);
  m.Airspeed = sum / (to - from);
  return m;
}

bool Agree(double a, double b) { return std::fabs(a - b) <= kSteadyTolerance * std::fabs(a + b) / 2 + kSteadySlack; }

}  // namespace

sim::FlightOutcome FlyGlide(const flight::AircraftSpec& source, double trimDeg) {
  flight::AircraftSpec spec = source;
  spec.StartZ = -kPolarStartHeight;
  spec.WindSpeed = 0;
  return sim::FlyAircraftText(aircraft::FormatAircraftSpec(spec), {.TrimDeg = trimDeg});
}

PolarPoint SteadyGlide(const flight::AircraftSpec& spec, double trimDeg) {
  return MeasureGlide(FlyGlide(spec, trimDeg), trimDeg);
}

PolarPoint MeasureGlide(const sim::FlightOutcome& outcome, double trimDeg) {
  PolarPoint p;
  p.TrimDeg = trimDeg;
  const int window = static_cast<int>(kPolarWindowSeconds / flight::kTimeStep);
  const int last = outcome.LastStep;
  // A glide that touched down (or never left the platform) did not settle in the air.
  if (!outcome.LaunchEnded || last < window || last + 2 < flight::kRecordCapacity) return p;
  const flight::Aircraft& a = *outcome.Aircraft;
  const int from = last - window, middle = last - window / 2;
  const WindowMeans whole = Means(a, from, last);
  const WindowMeans first = Means(a, from, middle), second = Means(a, middle, last);
  p.Airspeed = whole.Airspeed;
  p.SinkRate = whole.Sink;
  p.GlideRatio = whole.Sink > 0 ? whole.Forward / whole.Sink : 0;
  p.Steady = std::isfinite(whole.Sink) && std::isfinite(whole.Airspeed) && whole.Sink > 0 &&
             Agree(first.Sink, second.Sink) && Agree(first.Airspeed, second.Airspeed);
  return p;
}

std::optional<GlidePolar> StartPolar(const flight::AircraftSpec& spec, double fromDeg, double toDeg, double stepDeg) {
  if (!(stepDeg > 0) || !(fromDeg <= toDeg) || !std::isfinite(fromDeg) || !std::isfinite(toDeg)) return std::nullopt;
  if ((toDeg - fromDeg) / stepDeg + 1 > kMaxPolarGlides) return std::nullopt;
  GlidePolar polar{.Spec = spec, .Trims = {}};
  // Settings on a clean decimal grid, To itself included despite rounding.
  const int count = static_cast<int>(std::floor((toDeg - fromDeg) / stepDeg + 1e-9)) + 1;
  constexpr double kGrid = 1e9;  // steps per degree
  for (int k = 0; k < count; ++k) polar.Trims.push_back(std::round((fromDeg + k * stepDeg) * kGrid) / kGrid + 0.0);
  return polar;
}

bool PolarDone(const GlidePolar& polar) { return polar.Points.size() >= polar.Trims.size(); }

void FlyNextGlide(GlidePolar& polar) {
  if (PolarDone(polar)) return;
  polar.Points.push_back(SteadyGlide(polar.Spec, polar.Trims[polar.Points.size()]));
}

namespace {
template <typename Better>
int BestIndex(const GlidePolar& polar, Better better) {
  int best = -1;
  for (size_t i = 0; i < polar.Points.size(); ++i) {
    if (!polar.Points[i].Steady) continue;
    if (best < 0 || better(polar.Points[i], polar.Points[best])) best = static_cast<int>(i);
  }
  return best;
}
}  // namespace

int BestGlideIndex(const GlidePolar& polar) {
  return BestIndex(polar, [](const PolarPoint& a, const PolarPoint& b) { return a.GlideRatio > b.GlideRatio; });
}

bool AtSteadyEdge(const GlidePolar& polar, int index) {
  const int count = static_cast<int>(polar.Points.size());
  if (index < 0 || index >= count) return false;
  const bool before = index > 0 && !polar.Points[index - 1].Steady;
  const bool after = index + 1 < count && !polar.Points[index + 1].Steady;
  return before || after;
}

int MinSinkIndex(const GlidePolar& polar) {
  return BestIndex(polar, [](const PolarPoint& a, const PolarPoint& b) { return a.SinkRate < b.SinkRate; });
}

}  // namespace config
