// The configurator's designer aids: plausibility warnings (each caught on a design
// that has the slip and not on one without it) and the designer's figures against
// values worked out by hand for a plain rectangular wing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "config/design/design_editor.h"
#include "config/design/plausibility.h"
#include "config/design/undo_history.h"
#include "config/design/validation.h"
#include "config/figures/aero_figures.h"
#include "config/figures/glide_polar.h"

namespace {

using config::WarningKind;
using flight::AircraftSpec;

std::vector<config::DesignWarning> Of(WarningKind kind, const AircraftSpec& spec) {
  std::vector<config::DesignWarning> found;
  for (const auto& w : config::ValidateDesign(spec)) {
    if (w.Kind == kind) found.push_back(w);
  }
  return found;
}

AircraftSpec Changed(const std::function<void(AircraftSpec&)>& change) {
  AircraftSpec s = config::DefaultDesign();
  change(s);
  return s;
}

struct Slip {
  const char* What;
  std::function<void(AircraftSpec&)> Change;
  WarningKind Kind;
  int Line;
  int Section;
};

TEST(ConfigPlausibility, EachSlipWarnsAndNamesItsField) {
  const std::vector<Slip> slips = {
      {"span 3032 m", [](AircraftSpec& s) { s.WingSpan = 3032; }, WarningKind::OutOfRange, 14, -1},
      {"mass 10090 kg", [](AircraftSpec& s) { s.Mass = 10090; }, WarningKind::OutOfRange, 8, -1},
      {"chord 30 m",
       [](AircraftSpec& s) {
         s.WingChord = 30;
         s.CgPosition = 0.3;
       },
       WarningKind::OutOfRange, 15, -1},
      {"start speed 80", [](AircraftSpec& s) { s.StartSpeed = 80; }, WarningKind::OutOfRange, 4, -1},
      {"stiffness 10x too low", [](AircraftSpec& s) { s.SectionStiffness2[3] = 0.05; }, WarningKind::OutOfRange, 46, 3},
      {"dihedral 45", [](AircraftSpec& s) { s.SectionDihedral[1] = 45; }, WarningKind::OutOfRange, 48, 1},
      {"span 32 m for 30 m of sections", [](AircraftSpec& s) { s.WingSpan = 32; }, WarningKind::SpanMismatch, 14, -1},
      {"chord jump 0.42 -> 0.67", [](AircraftSpec& s) { s.SectionTaper[2] = 0.5; }, WarningKind::ChordJump, 44, 3},
      {"taper 0", [](AircraftSpec& s) { s.SectionTaper[3] = 0; }, WarningKind::TipChordNotPositive, 45, 3},
      {"cg behind the chord", [](AircraftSpec& s) { s.CgPosition = 1.2; }, WarningKind::CgOutsideChord, 9, -1},
      {"cg ahead of the wing", [](AircraftSpec& s) { s.CgPosition = -0.1; }, WarningKind::CgOutsideChord, 9, -1},
      {"tiny tail",
       [](AircraftSpec& s) {
         s.TailSpan = 0.5;
         s.TailChord = 0.2;
         s.CgPosition = 0.6;
       },
       WarningKind::TailTooSmall, 10, -1},
      {"wing heavier than all", [](AircraftSpec& s) { s.WingMass = 120; }, WarningKind::WingMassAboveMass, 40, -1},
  };
  for (const Slip& slip : slips) {
    SCOPED_TRACE(slip.What);
    const auto found = Of(slip.Kind, Changed(slip.Change));
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found[0].Line, slip.Line);
    EXPECT_EQ(found[0].Section, slip.Section);
    EXPECT_FALSE(config::RefusesSave(found[0].Kind)) << "never blocks a save";
    EXPECT_FALSE(config::DescribeWarning(found[0]).empty());
    EXPECT_TRUE(Of(slip.Kind, config::DefaultDesign()).empty()) << "the shipped glider has none";
  }
}

TEST(ConfigPlausibility, NearbySoundValuesDoNotWarn) {
  // Within the tolerances: 4 % span difference, a 5 % chord step, values at the ends
  // of their ranges, a section without strips that would jump.
  const std::vector<std::function<void(AircraftSpec&)>> sound = {
      [](AircraftSpec& s) { s.WingSpan = 31.2; },
      [](AircraftSpec& s) { s.SectionRootChord[1] = 0.99 * 1.05; },
      [](AircraftSpec& s) { s.Mass = 40; },
      [](AircraftSpec& s) {
        s.Mass = 300;
        s.WingMass = 25;
      },
      [](AircraftSpec& s) { s.CgPosition = 0; },
      [](AircraftSpec& s) { s.CgPosition = 0.4; },
      [](AircraftSpec& s) { s.SectionTaper[3] = 0.01; },
      [](AircraftSpec& s) {
        s.SectionEnabled[3] = 0;
        s.SectionRootChord[3] = 0.1;
        s.SectionDihedral[3] = 80;
        s.WingSpan = 28;
      },
  };
  for (size_t i = 0; i < sound.size(); ++i) {
    EXPECT_TRUE(config::ValidateDesign(Changed(sound[i])).empty()) << "case " << i;
  }
}

TEST(ConfigPlausibility, RangesAreOrderedAndCoverTheTypicalSlips) {
  for (const config::PlausibleRange& r : config::PlausibleRanges()) {
    EXPECT_LT(r.Low, r.High) << r.Line;
    EXPECT_GE(r.Line, 1);
    EXPECT_LE(r.Line, config::kFileLineCount);
  }
  EXPECT_NEAR(config::SectionBendingStiffness(config::DefaultDesign(), 0), 1200000 * 90 * 9.807 / 10000, 1e-6);
}

// A rectangular wing: one section of 4.7 m, chord 1, taper 1, no dihedral or sweep,
// a centre part of 0.3 m: a 10 m span of 1 m chord.
AircraftSpec RectangularWing() {
  AircraftSpec s = config::DefaultDesign();
  s.WingSpan = 10;
  s.WingChord = 1;
  s.CenterHalfWidth = 0.3;
  s.SectionEnabled = {1, 0, 0, 0};
  s.SectionSpan = {4.7, 0, 0, 0};
  s.SectionRootChord = {1, 0, 0, 0};
  s.SectionTaper = {1, 0, 0, 0};
  s.SectionDihedral = {0, 0, 0, 0};
  s.Mass = 100;
  s.CgPosition = 0.3;
  s.WingAcRatio = 0.25;
  s.TailPosition = 4.3;
  s.TailSpan = 2;
  s.TailChord = 0.5;
  s.WingAirfoil.LiftSlope = 6;
  s.TailAirfoil.LiftSlope = 6;
  s.WingAirfoil.ClUpper = 1.5;
  return s;
}

TEST(ConfigDesignerFigures, RectangularWingByHand) {
  const AircraftSpec s = RectangularWing();
  const config::AeroFigures d = config::ComputeAeroFigures(s);
  EXPECT_EQ(d.Sections[0].Strips, 4);           // trunc(4.7)
  EXPECT_NEAR(d.Sections[0].Area, 4.7, 1e-12);  // one half
  EXPECT_DOUBLE_EQ(d.Sections[0].TipChord, 1);
  EXPECT_EQ(d.Sections[1].Strips, 0);
  EXPECT_NEAR(d.Mac, 1, 1e-12);
  EXPECT_NEAR(d.MacY, 0.3 + 4.7 / 2, 1e-12);  // mid-section
  EXPECT_NEAR(d.MacLeadingX, 0, 1e-12);
  EXPECT_NEAR(d.WingLoadingKg, 10, 1e-12);  // 100 kg / 10 m^2
  EXPECT_NEAR(d.WingLoading, 98.07, 1e-9);
  EXPECT_NEAR(d.TailVolume, 1.0 * 4.0 / (10 * 1), 1e-12);                           // S_t 1 m^2, arm 4 m
  EXPECT_NEAR(d.StallSpeed, std::sqrt(2 * 100 * 9.807 / (1.2 * 10 * 1.5)), 1e-12);  // 10.44 m/s
  // Neutral point: a_w = 6 / (6 / (10 pi) + 1), a_t = 6 / (6 / (4 pi) + 1) with AR_t 4,
  // de/da = 2 a_w / (10 pi), x_n = (0.25 S a_w + 4.3 S_t a_t (1 - de/da)) / (S a_w + S_t a_t (1 - de/da)).
  const double pi = 3.14159;
  const double aw = 6 / (6 / (10 * pi) + 1), at = 6 / (6 / (4 * pi) + 1);
  const double eps = 2 * aw / (10 * pi);
  const double wing = 10 * aw, tail = 1 * at * (1 - eps);
  const double xn = (0.25 * wing + 4.3 * tail) / (wing + tail);
  EXPECT_NEAR(d.NeutralPoint, xn, 1e-12);
  EXPECT_NEAR(d.StaticMargin, xn - 0.3, 1e-12);
  EXPECT_GT(d.StaticMargin, 0.05);
  EXPECT_LT(d.StaticMargin, 0.5);
}

TEST(ConfigDesignerFigures, TaperedWingFollowsTheGamesStrips) {
  AircraftSpec s = RectangularWing();
  s.SectionSpan = {4, 0, 0, 0};
  s.CenterHalfWidth = 0;
  s.SectionTaper = {0.5, 0, 0, 0};
  const config::AeroFigures d = config::ComputeAeroFigures(s);
  // The game's strips: four of 1 m with r = 0.5 / 4; inner chords 1 - j / 8, each
  // strip's outer chord its inner chord * (1 - r) = 7/8 of it.
  double area = 0, c2 = 0, cy = 0;
  for (int j = 0; j < 4; ++j) {
    const double c0 = 1 - j / 8.0, c1 = c0 * 7 / 8, dc = c1 - c0;
    area += (c0 + c1) / 2;
    c2 += (c0 * c0 + c0 * c1 + c1 * c1) / 3;
    cy += c0 * j + c0 / 2 + dc * j / 2 + dc / 3;  // integral of c y over y = j .. j + 1
  }
  EXPECT_NEAR(area, 3.046875, 1e-12);
  EXPECT_NEAR(d.Sections[0].Area, area, 1e-12);
  EXPECT_NEAR(d.Mac, c2 / area, 1e-12);
  EXPECT_NEAR(d.MacY, cy / area, 1e-12);
  EXPECT_NEAR(d.Sections[0].TipChord, 0.5, 1e-12);
  // Sweep moves the mean chord's leading edge back by tan(sweep) * its station.
  s.SectionSweep = {10, 0, 0, 0};
  const config::AeroFigures swept = config::ComputeAeroFigures(s);
  const double sweep = 10 * 3.14159265358979323846 / 180;
  EXPECT_NEAR(swept.MacLeadingX / swept.MacY, std::tan(sweep), 1e-9);
}

TEST(ConfigGlidePolar, SteadyGlidesGiveAPolarWithItsBestPoints) {
  const auto polar0 = config::StartPolar(config::DefaultDesign(), -2, 2, 1);
  ASSERT_TRUE(polar0);
  config::GlidePolar polar = *polar0;
  EXPECT_EQ(polar.Trims.size(), 5u);
  while (!config::PolarDone(polar)) config::FlyNextGlide(polar);
  const int best = config::BestGlideIndex(polar), minSink = config::MinSinkIndex(polar);
  ASSERT_GE(best, 0);
  ASSERT_GE(minSink, 0);
  for (const config::PolarPoint& p : polar.Points) {
    if (!p.Steady) continue;
    EXPECT_GT(p.Airspeed, 3);
    EXPECT_GT(p.SinkRate, 0);
    EXPECT_NEAR(p.GlideRatio, std::sqrt(p.Airspeed * p.Airspeed - p.SinkRate * p.SinkRate) / p.SinkRate,
                0.05 * p.GlideRatio)
        << "a steady glide's path follows its airspeed";
    EXPECT_LE(p.GlideRatio, polar.Points[best].GlideRatio);
    EXPECT_GE(p.SinkRate, polar.Points[minSink].SinkRate);
  }
  EXPECT_FALSE(config::StartPolar(config::DefaultDesign(), 2, -2, 1)) << "empty range";
  EXPECT_FALSE(config::StartPolar(config::DefaultDesign(), -2, 2, 0)) << "no step";
}

}  // namespace

namespace {

TEST(ConfigUndo, StepsBackAndForwardAndMergesOneFieldEdit) {
  config::UndoHistory h;
  AircraftSpec s = config::DefaultDesign();
  h.Track(s, false);
  EXPECT_FALSE(h.CanUndo());
  // Typing 3, 30, 303, 3032 into the span while the field is active: one step.
  for (double typed : {3.0, 30.0, 303.0, 3032.0}) {
    s.WingSpan = typed;
    h.Track(s, true);
  }
  h.Track(s, false);
  s.Mass = 120;  // a second edit
  h.Track(s, false);
  ASSERT_TRUE(h.Undo(s));
  EXPECT_EQ(s.Mass, 100);
  EXPECT_EQ(s.WingSpan, 3032);
  ASSERT_TRUE(h.Undo(s));
  EXPECT_EQ(s.WingSpan, 30) << "back to before the whole edit";
  EXPECT_FALSE(h.Undo(s));
  ASSERT_TRUE(h.Redo(s));
  EXPECT_EQ(s.WingSpan, 3032);
  ASSERT_TRUE(h.Redo(s));
  EXPECT_EQ(s.Mass, 120);
  EXPECT_FALSE(h.Redo(s));
  // A new change after an undo drops what could be redone.
  h.Undo(s);
  s.WindSpeed = 2;
  h.Track(s, false);
  EXPECT_FALSE(h.CanRedo());
  h.Undo(s);
  EXPECT_EQ(s.WindSpeed, 0.5);
  EXPECT_EQ(s.Mass, 100);
  // A change the screen has not reported yet is undone as a step of its own.
  s.StartSpeed = 9;
  ASSERT_TRUE(h.Undo(s));
  EXPECT_EQ(s.StartSpeed, 8);
  ASSERT_TRUE(h.Redo(s));
  EXPECT_EQ(s.StartSpeed, 9);
  h.Reset(config::DefaultDesign());
  EXPECT_FALSE(h.CanUndo());
  EXPECT_FALSE(h.CanRedo());
}

}  // namespace
