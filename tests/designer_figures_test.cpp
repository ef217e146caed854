// The figures that decide a design, each checked against a case worked by hand or an
// independent small model: a rectangular wing's trimmed glide against the balance of
// forces, its phugoid against the swing of the real flight, its bending against a
// cantilever beam, the span efficiency and the mode pairs against known answers, and
// the forward centre-of-gravity limit against the game's own pitching moment.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "aircraft/aircraft_file.h"
#include "aircraft/load_aircraft.h"
#include "config/design/design_editor.h"
#include "config/figures/aero_figures.h"
#include "config/figures/flight_modes.h"
#include "config/figures/glide_polar.h"
#include "config/figures/span_loading.h"
#include "config/figures/trim_figures.h"
#include "config/flights/test_flight.h"
#include "flight/aerodynamics.h"

namespace {

constexpr double kG = 9.807;  // m/s^2, the game's gravity
constexpr double kRho = 1.2;  // kg/m^3, the game's air

// A rectangular wing: one section of constant chord, no dihedral or sweep, stiff
// enough to bend a little.
flight::AircraftSpec RectangularWing(bool strips) {
  flight::AircraftSpec s = config::DefaultDesign();
  s.StripModel = strips ? 1 : 0;
  s.WingSpan = 20;
  s.WingChord = 1;
  s.CenterHalfWidth = 0;
  s.SectionEnabled = {1, 0, 0, 0};
  s.SectionSpan = {10, 0, 0, 0};
  s.SectionRootChord = {1, 1, 1, 1};
  s.SectionTaper = {1, 1, 1, 1};
  s.SectionDihedral = {0, 0, 0, 0};
  s.SectionSweep = {0, 0, 0, 0};
  s.SectionStiffness1 = {2000000, 0, 0, 0};
  s.SectionStiffness2 = {100, 0, 0, 0};
  return s;
}

config::TrimFigures Trim(const flight::AircraftSpec& spec) {
  const config::GameFigures f = config::ComputeFigures(spec);
  const config::AeroFigures aero = config::ComputeAeroFigures(spec);
  return config::ComputeTrimFigures(spec, f, aero.Mac);
}

// A system of two known second-order modes, mixed by a change of variables so that
// no state belongs to one mode alone.
TEST(FlightModes, PairsTheEigenvaluesOfKnownModes) {
  const double slowW = 0.6, slowZeta = 0.1, fastW = 6, fastZeta = 0.5;  // rad/s and ratios
  config::SystemMatrix block{};
  block[0] = {0, 1, 0, 0};
  block[1] = {-slowW * slowW, -2 * slowZeta * slowW, 0, 0};
  block[2] = {0, 0, 0, 1};
  block[3] = {0, 0, -fastW * fastW, -2 * fastZeta * fastW};
  // A = T B T^-1 with T = I + E (E: ones just above the diagonal), T^-1 = I - E + E^2 - E^3.
  config::SystemMatrix t{}, tInv{};
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      t[i][j] = i == j ? 1 : (j == i + 1 ? 1 : 0);
      tInv[i][j] = j >= i ? ((j - i) % 2 == 0 ? 1 : -1) : 0;
    }
  }
  const auto times = [](const config::SystemMatrix& x, const config::SystemMatrix& y) {
    config::SystemMatrix r{};
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 4; ++k) r[i][j] += x[i][k] * y[k][j];
    return r;
  };
  const auto modes = config::PairModes(config::Eigenvalues(times(times(t, block), tInv)));
  ASSERT_TRUE(modes.Phugoid.Oscillating);
  ASSERT_TRUE(modes.ShortPeriod.Oscillating);
  EXPECT_NEAR(modes.Phugoid.PeriodS, 2 * std::numbers::pi / (slowW * std::sqrt(1 - slowZeta * slowZeta)), 1e-6);
  EXPECT_NEAR(modes.Phugoid.DampingRatio, slowZeta, 1e-9);
  EXPECT_NEAR(modes.ShortPeriod.PeriodS, 2 * std::numbers::pi / (fastW * std::sqrt(1 - fastZeta * fastZeta)), 1e-6);
  EXPECT_NEAR(modes.ShortPeriod.DampingRatio, fastZeta, 1e-9);

  // Overdamped: two real roots -1 and -4 make no swing, a damping ratio of 5 / 4.
  block[2] = {0, 0, 0, 1};
  block[3] = {0, 0, -4, -5};
  const auto creeping = config::PairModes(config::Eigenvalues(block)).ShortPeriod;
  EXPECT_FALSE(creeping.Oscillating);
  EXPECT_NEAR(creeping.DampingRatio, 1.25, 1e-9);
  EXPECT_NEAR(creeping.HalfTimeS, std::log(2.0), 1e-9) << "the slower root, -1/s, sets how long an upset lasts";
}

TEST(SpanLoading, EllipticIsOneAndAThirdHarmonicCostsThreeTimesItsSquare) {
  constexpr double halfSpan = 10;  // m
  const auto stations = [&](double third) {
    std::vector<config::SpanStation> s;
    for (int j = 0; j < 20; ++j) {
      const double y = (j + 0.5) * halfSpan / 20;
      const double t = std::acos(y / halfSpan);
      s.push_back({y, 100 * (std::sin(t) + third * std::sin(3 * t))});
    }
    return s;
  };
  EXPECT_NEAR(config::SpanEfficiency(stations(0), halfSpan), 1, 1e-9);
  EXPECT_NEAR(config::SpanEfficiency(stations(0.2), halfSpan), 1 / (1 + 3 * 0.2 * 0.2), 1e-9);
  const auto elliptic = stations(0);
  EXPECT_EQ(config::SpanEfficiency(std::span(elliptic).first(3), halfSpan), 0) << "too few strips to fit";
  EXPECT_EQ(config::SpanEfficiency(stations(0), 5), 0) << "stations outside the span";
}

// The trimmed glide of a rectangular wing obeys the balance of forces along the glide
// path's normal: total lift = weight * cos(glide angle), and the wing's coefficient is
// the game's finite-wing slope times its angle from zero lift.
TEST(TrimFigures, RectangularWingTrimBalancesItsWeight) {
  const flight::AircraftSpec spec = RectangularWing(false);
  const config::TrimFigures t = Trim(spec);
  ASSERT_TRUE(t.Flown);
  ASSERT_TRUE(t.Steady);
  const double wingArea = 20, tailArea = spec.TailSpan * spec.TailChord;  // m^2
  const double q = 0.5 * kRho * t.Airspeed * t.Airspeed;
  const double lift = (t.WingCl * wingArea + t.TailCl * tailArea) * q;
  const double glideAngle = std::atan(1 / t.GlideRatio);
  EXPECT_NEAR(lift / (spec.Mass * kG * std::cos(glideAngle)), 1, 0.01);

  const double a0 = spec.WingAirfoil.LiftSlope, aspect = 20.0 * 20.0 / wingArea;
  const double slope = a0 / (a0 / (aspect * 3.14159) + 1);
  // The bent wing's span sets the game's aspect ratio, a little off the flat wing's.
  EXPECT_NEAR(t.WingCl, slope * t.WingAlphaDeg * 0.01745, 1e-3);
  EXPECT_NEAR(t.WingAlphaDeg, t.BodyAlphaDeg - spec.WingAirfoil.ZeroLiftAngle + spec.WingIncidence, 0.005);
  EXPECT_TRUE(t.SpanLift.empty()) << "the whole-wing formula has no spanwise distribution";
  EXPECT_NEAR(t.ReynoldsMac, t.Airspeed * 1.0 / config::kAirKinematicViscosity, 1);
}

// The linearised phugoid is the swing the real flight makes: the glide from the
// platform's speed settles through it, and its upward crossings of the final speed
// come one period apart.
TEST(TrimFigures, PhugoidPeriodIsTheRealFlightsSwing) {
  for (const flight::AircraftSpec& spec : {RectangularWing(false), config::DefaultDesign()}) {
    const config::TrimFigures t = Trim(spec);
    ASSERT_TRUE(t.ModesKnown);
    ASSERT_TRUE(t.Modes.Phugoid.Oscillating);
    EXPECT_GT(t.Modes.Phugoid.DampingRatio, 0) << "settles";
    EXPECT_LT(t.Modes.ShortPeriod.PeriodS, t.Modes.Phugoid.PeriodS);

    const sim::FlightOutcome glide = config::FlyGlide(spec, spec.TailIncidence);
    const flight::Aircraft& a = *glide.Aircraft;
    const double uEnd = a.Records[glide.LastStep].Velocity[0];
    std::vector<double> crossings;       // s
    constexpr int kSwingRecords = 3000;  // the first 60 s, while the swing is large
    for (int n = 1; n <= kSwingRecords; ++n) {
      const double d0 = a.Records[n - 1].Velocity[0] - uEnd, d1 = a.Records[n].Velocity[0] - uEnd;
      if (d0 < 0 && d1 >= 0) crossings.push_back((n - 1 + d0 / (d0 - d1)) * 0.02);
    }
    ASSERT_GE(crossings.size(), 3u);
    const double swing = (crossings.back() - crossings.front()) / (crossings.size() - 1);
    EXPECT_NEAR(t.Modes.Phugoid.PeriodS / swing, 1, 0.02);
  }
}

// A rectangular strip wing of one stiffness bends like a cantilever under a uniform
// load: tip deflection w L^4 / (8 EI), w the lift per metre. The game relieves the
// moment by the strips' weight in a way of its own, so the beam is loaded by lift alone.
TEST(TrimFigures, BendingOfARectangularWingIsACantilevers) {
  flight::AircraftSpec spec = RectangularWing(true);
  spec.WingMass = 0;
  const config::TrimFigures t = Trim(spec);
  ASSERT_TRUE(t.Bends);
  ASSERT_FALSE(t.SpanLift.empty());
  const double length = 10;  // m, one half
  double lift = 0;
  for (const config::SpanStation& s : t.SpanLift) lift += s.LiftPerSpan * s.Width;
  const double load = lift / length;                      // N/m
  const double stiffness = 2000000.0 * 100 / 10000 * kG;  // N m^2, kgf/cm^2 * cm^4
  EXPECT_NEAR(t.TipRiseTrim / (load * std::pow(length, 4) / (8 * stiffness)), 1, 0.03);
  EXPECT_TRUE(t.LaunchKnown);
  EXPECT_GT(t.TipRiseLaunch, 0);

  // The loading is flat across a rectangular wing, far from elliptic.
  EXPECT_NEAR(t.SpanLift.front().LiftPerSpan / t.SpanLift.back().LiftPerSpan, 1, 0.02);
  EXPECT_GT(t.SpanEfficiency, 0.5);
  EXPECT_LT(t.SpanEfficiency, 0.8);
}

// At the forward limit the game's own pitching moment is nil with the wing at its
// upper lift coefficient and the tail at its lower one; ahead of it the tail cannot
// hold the nose up.
TEST(AeroFigures, ForwardCgLimitIsWhereTheTailJustHoldsTheStall) {
  flight::AircraftSpec spec = RectangularWing(false);
  const config::AeroFigures aero = config::ComputeAeroFigures(spec);
  ASSERT_TRUE(aero.ForwardCgKnown);
  ASSERT_TRUE(aero.StabilityKnown);
  EXPECT_LT(aero.ForwardCgLimit, aero.NeutralPoint);

  const auto pitchAcceleration = [&](double cg) {
    spec.CgPosition = cg;
    const auto a = aircraft::LoadAircraftText(aircraft::FormatAircraftSpec(spec), {.CoordinateLog = false});
    flight::FlightRecord& rec = a->Records[0];
    rec.Position = {0, -3000, 0};
    rec.TailDownwash = 0;
    const double u = 10;  // m/s
    const auto evaluate = [&](double w) { return flight::EvaluateAccelerations(*a, rec.Position, {u, w, 0}); };
    // Body speed down the z axis that brings the wing just under its upper limit...
    double lo = 0, hi = 5;
    for (int i = 0; i < 200; ++i) {
      const double mid = (lo + hi) / 2;
      evaluate(mid);
      (rec.WingCl < spec.WingAirfoil.ClUpper && rec.WingCl > spec.WingAirfoil.ClAboveUpper ? lo : hi) = mid;
    }
    // ... and the tail setting that brings the tail just over its lower one: its angle
    // falls by one game degree per degree of setting, its slope read where it is linear.
    rec.TailSettingDeg = 0;
    evaluate(lo);
    const double slope = rec.TailCl / (rec.TailAlphaDeg / 57.2957);
    const double target = spec.TailAirfoil.ClLower / slope * (1 - 1e-12);  // rad
    rec.TailSettingDeg = (rec.TailAlphaDeg / 57.2957 - target) / 0.01745;
    const auto acc = evaluate(lo);
    EXPECT_NEAR(rec.WingCl, spec.WingAirfoil.ClUpper, 1e-6);
    EXPECT_NEAR(rec.TailCl, spec.TailAirfoil.ClLower, 1e-6);
    return acc[flight::kPitch];
  };
  EXPECT_NEAR(pitchAcceleration(aero.ForwardCgLimit), 0, 1e-6);
  EXPECT_LT(pitchAcceleration(aero.ForwardCgLimit - 0.05), 0) << "nose down: the tail cannot hold the stall";
}

}  // namespace

namespace {

config::TrimSweep SweepOf(std::vector<config::SweepPoint> points) {
  config::TrimSweep sweep{.Spec = {}, .Range = {}};
  sweep.Points = std::move(points);
  return sweep;
}

TEST(DesignWarnings, ACliffWithinAQuarterDegreeOfTheBestTrim) {
  // The best setting beside one that flies 187 m: a knife edge.
  const auto edge = config::CliffBesideBest(SweepOf({{1.0, 300, true}, {1.25, 330, true}, {1.5, 187, true}}));
  ASSERT_TRUE(edge);
  EXPECT_EQ(edge->TrimDeg, 1.5);
  // Gentle slopes on both sides, and a drop only half a degree away: no cliff.
  EXPECT_FALSE(
      config::CliffBesideBest(SweepOf({{1.0, 300, true}, {1.25, 330, true}, {1.5, 320, true}, {1.75, 100, true}})));
  // A neighbour that never leaves the platform is the steepest cliff of all.
  const auto stuck = config::CliffBesideBest(SweepOf({{1.0, 200, true}, {1.2, 330, true}, {1.4, 0, false}}));
  ASSERT_TRUE(stuck);
  EXPECT_FALSE(stuck->LaunchEnded);
  EXPECT_FALSE(config::CliffBesideBest(SweepOf({})));
}

TEST(DesignWarnings, OptimumBesideAnUnsteadyGlideIsStallLimited) {
  config::GlidePolar polar{.Spec = {}, .Trims = {}};
  const auto point = [](double ratio, bool steady) {
    return config::PolarPoint{
        .TrimDeg = 0, .Airspeed = 10, .SinkRate = 10 / ratio, .GlideRatio = ratio, .Steady = steady};
  };
  polar.Points = {point(20, true), point(24, true), point(27, true), point(0, false)};
  const int best = config::BestGlideIndex(polar);
  EXPECT_EQ(best, 2);
  EXPECT_TRUE(config::AtSteadyEdge(polar, best)) << "the next setting stalled";
  polar.Points = {point(20, true), point(27, true), point(24, true), point(0, false)};
  EXPECT_FALSE(config::AtSteadyEdge(polar, config::BestGlideIndex(polar))) << "worse glides on both sides";
}

}  // namespace
