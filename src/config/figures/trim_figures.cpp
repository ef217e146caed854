#include "config/figures/trim_figures.h"

#include <cmath>

#include "aircraft/aircraft_file.h"
#include "aircraft/load_aircraft.h"
#include "config/figures/glide_polar.h"
#include "flight/aerodynamics.h"
#include "flight/wing_bending.h"
#include "sim/flight_runner.h"
#include "sim/zero_random.h"

namespace config {
namespace {

// Central-difference steps: small against the trimmed state, large against rounding.
constexpr double kSpeedStep = 1e-3;  // m/s
constexpr double kRateStep = 1e-5;   // rad/s
constexpr double kPitchStep = 1e-5;  // rad

using State = std::array<double, 4>;  // u, w (m/s), q (rad/s), pitch (rad)

// The rates of the state at the current record, the downwash at the tail made that of
// the wing's lift at the same state.
State Rates(flight::Aircraft& a, const State& s) {
  flight::FlightRecord& rec = a.Records[a.Step];
  const flight::StateTriple position{rec.Position[flight::kX], rec.Position[flight::kZ], s[3]};
  const flight::StateTriple velocity{s[0], s[1], s[2]};
  flight::EvaluateAccelerations(a, position, velocity);
  rec.TailDownwash = 2 * rec.WingCl / (a.AspectRatio * flight::kPi);
  const flight::AccelerationTriple acc = flight::EvaluateAccelerations(a, position, velocity);
  return {acc[0], acc[1], acc[2], s[2]};
}

// The bent wing's tip height less the unbent one: the wing bent again with no load.
double TipRise(flight::Aircraft& a) {
  const int n = a.StripCount;
  const double loaded = a.StripEndZ[n];
  for (int j = 0; j < n; ++j) {
    a.StripLift[j] = 0;
    a.Strips[j].Mass = 0;
  }
  flight::WingBending(a, 0);
  flight::WingBending(a, 0);  // the shape lags one bending behind its moments
  return loaded - a.StripEndZ[n];
}

void ReadSpanLift(const flight::Aircraft& a, TrimFigures& t) {
  double y = a.CenterHalfWidth;
  for (int j = 0; j < a.StripCount; ++j) {
    const double width = a.Strips[j].Width;
    if (width > 0) t.SpanLift.push_back({y + width / 2, a.StripLift[j] / width, width});
    y += width;
  }
  t.HalfSpan = y;
  t.SpanEfficiency = SpanEfficiency(t.SpanLift, t.HalfSpan);
}

void Reynolds(const GameFigures& f, double macM, double tailChordM, TrimFigures& t) {
  const double perChord = t.Airspeed / kAirKinematicViscosity;  // 1/m
  for (int i = 0; i < kSectionCount; ++i) {
    bool first = true;
    for (const StripRow& row : f.Strips) {
      if (row.Section != i) continue;
      if (first) t.ReynoldsRoot[i] = row.InnerChord * perChord;
      t.ReynoldsTip[i] = row.OuterChord * perChord;
      first = false;
    }
  }
  t.ReynoldsMac = macM * perChord;
  t.ReynoldsTail = tailChordM * perChord;
}

void LaunchBending(const flight::AircraftSpec& spec, TrimFigures& t) {
  const auto a = aircraft::LoadAircraftText(aircraft::FormatAircraftSpec(spec), {.CoordinateLog = false});
  sim::ZeroRandom random;
  sim::FlightRun run;
  sim::TailControl ownTail;
  sim::PutOnPlatform(run, *a, random);
  for (int tick = 0; tick < sim::kMaxLaunchTicks; ++tick) {
    if (sim::LaunchTick(run, *a, ownTail, random) == sim::FlightPhase::OnPlatform) continue;
    t.LaunchKnown = true;
    t.TipRiseLaunch = TipRise(*a);
    return;
  }
}

}  // namespace

SystemMatrix LinearisedMotion(flight::Aircraft& a) {
  const flight::FlightRecord trimmed = a.Records[a.Step];
  const State s0{trimmed.Velocity[0], trimmed.Velocity[1], trimmed.Velocity[2], trimmed.Position[flight::kPitch]};
  const State steps{kSpeedStep, kSpeedStep, kRateStep, kPitchStep};
  SystemMatrix m{};
  for (int j = 0; j < 4; ++j) {
    State up = s0, down = s0;
    up[j] += steps[j];
    down[j] -= steps[j];
    const State ru = Rates(a, up), rd = Rates(a, down);
    for (int i = 0; i < 4; ++i) m[i][j] = (ru[i] - rd[i]) / (2 * steps[j]);
  }
  a.Records[a.Step] = trimmed;
  return m;
}

TrimFigures ComputeTrimFigures(const flight::AircraftSpec& spec, const GameFigures& figures, double macM) {
  TrimFigures t;
  t.TailSettingDeg = spec.TailIncidence;
  sim::FlightOutcome glide = FlyGlide(spec, spec.TailIncidence);
  const PolarPoint point = MeasureGlide(glide, spec.TailIncidence);
  t.Flown = glide.LaunchEnded && glide.LastStep + 2 >= flight::kRecordCapacity;
  if (!t.Flown) return t;
  flight::Aircraft& a = *glide.Aircraft;
  t.Steady = point.Steady;
  t.Airspeed = point.Airspeed;
  t.SinkRate = point.SinkRate;
  t.GlideRatio = point.GlideRatio;

  // The forces at the last record itself (the step's own evaluations were at its stages).
  a.Step = a.LastStep;
  flight::FlightRecord& rec = a.Records[a.Step];
  flight::EvaluateAccelerations(a, rec.Position, rec.Velocity);
  t.WingCl = rec.WingCl;
  t.TailCl = rec.TailCl;
  t.BodyAlphaDeg = flight::kRadToDeg * rec.BodyAlpha;
  t.WingAlphaDeg = rec.WingAlphaDeg;
  if (a.StripModel == 1) ReadSpanLift(a, t);
  Reynolds(figures, macM, spec.TailChord, t);

  const SystemMatrix motion = LinearisedMotion(a);
  t.Modes = PairModes(Eigenvalues(motion));
  t.ModesKnown = t.Modes.Phugoid.Found && t.Modes.ShortPeriod.Found;

  t.Bends = a.StripCount > 0;
  if (t.Bends) {
    t.TipRiseTrim = TipRise(a);
    LaunchBending(spec, t);
  }
  return t;
}

}  // namespace config
