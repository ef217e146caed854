#include "flight/set_spec.h"

#include <gtest/gtest.h>

#include <numeric>

#include "fakes/test_aircraft.h"

namespace {

using flight::AircraftSpec;

AircraftSpec OneSection(double span, double chord = 1.0, double taper = 1.0) {
  AircraftSpec s = fakes::GliderSpec();
  s.SectionEnabled = {1, 0, 0, 0};
  s.SectionSpan = {span, 0, 0, 0};
  s.SectionRootChord = {chord, 0, 0, 0};
  s.SectionTaper = {taper, 0, 0, 0};
  return s;
}

TEST(StripDivision, SectionSpanTruncatesToStripCount) {
  auto a = fakes::MakeAircraft(OneSection(0.7));
  EXPECT_EQ(a->StripCount, 1);
  EXPECT_DOUBLE_EQ(a->Strips[0].Width, 0.7);

  a = fakes::MakeAircraft(OneSection(3.9));
  EXPECT_EQ(a->StripCount, 3);
  for (int j = 0; j < 3; ++j) EXPECT_DOUBLE_EQ(a->Strips[j].Width, 1.3);
}

TEST(StripDivision, DisabledSectionsAddNoStripsAndTheNextFollowsDirectly) {
  AircraftSpec s = fakes::GliderSpec();
  s.SectionEnabled = {1, 0, 2, 1};  // only exactly 1 enables a section
  auto a = fakes::MakeAircraft(s);
  EXPECT_EQ(a->StripCount, 5 + 1);
  EXPECT_DOUBLE_EQ(a->Strips[5].Chord, 0.67);  // the fourth section's root chord
  EXPECT_DOUBLE_EQ(a->Strips[5].Dihedral, 2 * 3.14159 / 180);
}

TEST(StripDivision, DihedralAndSweepOnlyOnEachSectionsFirstStrip) {
  AircraftSpec s = fakes::GliderSpec();
  s.SectionDihedral = {2, 0, 1, 2};
  s.SectionSweep = {0, 5, 0, 0};
  auto a = fakes::MakeAircraft(s);
  EXPECT_DOUBLE_EQ(a->Strips[0].Dihedral, 2 * 3.14159 / 180);
  EXPECT_EQ(a->Strips[1].Dihedral, 0);
  EXPECT_EQ(a->Strips[5].Dihedral, 0);  // dihedral 0: no change to the previous section
  EXPECT_DOUBLE_EQ(a->Strips[5].Sweep, 5 * 3.14159 / 180);
  EXPECT_EQ(a->Strips[6].Sweep, 0);
}

TEST(StripDivision, TaperGivesChordsSlopesAreasAndMasses) {
  auto a = fakes::MakeAircraft(OneSection(2, 1.0, 1.0));
  EXPECT_EQ(a->Strips[0].TaperSlope, 0);
  EXPECT_EQ(a->Strips[1].Chord, 1.0);
  EXPECT_DOUBLE_EQ(a->Strips[0].Area, 1.0);

  a = fakes::MakeAircraft(OneSection(2, 1.0, 0.5));
  const flight::WingStrip& inner = a->Strips[0];
  const flight::WingStrip& outer = a->Strips[1];
  EXPECT_DOUBLE_EQ(inner.TaperSlope, 0.25);
  EXPECT_DOUBLE_EQ(outer.Chord, 0.75);
  EXPECT_DOUBLE_EQ(inner.Area, (0.75 + 1.0) * 0.5);
  EXPECT_DOUBLE_EQ(a->StripArea, inner.Area + outer.Area);
  EXPECT_DOUBLE_EQ(inner.Mass + outer.Mass, 25);
  EXPECT_GT(inner.Mass, outer.Mass);
}

TEST(StripDivision, MoreThanThirtyStripsStopAtThirty) {
  AircraftSpec s = fakes::GliderSpec();
  s.SectionSpan = {20, 20, 5, 1};
  auto a = fakes::MakeAircraft(s);
  EXPECT_EQ(a->StripCount, 30);
  double mass = 0;
  for (int j = 0; j < 30; ++j) mass += a->Strips[j].Mass;
  EXPECT_NEAR(mass, 25, 1e-12);
}

TEST(StripDivision, SectionsWithoutPositiveSpanAddNoStrips) {
  AircraftSpec s = fakes::GliderSpec();
  s.SectionSpan = {5.7, -2.5, 0, 1};
  auto a = fakes::MakeAircraft(s);
  EXPECT_EQ(a->StripCount, 5 + 1);
  for (int j = 0; j < a->StripCount; ++j) EXPECT_GT(a->Strips[j].Width, 0);
}

TEST(SetSpec, DerivedQuantitiesAndStartState) {
  auto a = fakes::MakeAircraft();
  EXPECT_DOUBLE_EQ(a->WingArea, 30 * 0.89);
  EXPECT_DOUBLE_EQ(a->AspectRatio, 30 * 30 / (30 * 0.89));
  EXPECT_DOUBLE_EQ(a->TailArm, 0.3 - 5);
  EXPECT_DOUBLE_EQ(a->DownwashDistance, 0.25 * 0.89 - 5);
  EXPECT_DOUBLE_EQ(a->PitchInertia, 1.3 * 100 * 1.3);
  EXPECT_EQ(a->TailSetting, -0.5);
  EXPECT_EQ(a->EffectiveSpan, 30);
  const flight::FlightRecord& r0 = a->Records[0];
  EXPECT_EQ(r0.Position, (std::array<double, 3>{0, -10.5, 0}));
  EXPECT_EQ(r0.Velocity, (std::array<double, 3>{8, 0, 0}));
  EXPECT_EQ(r0.TailSettingDeg, -0.5);
  const double a0 = 6, lift = a0 / (a0 / (a->AspectRatio * 3.14159) + 1);
  EXPECT_EQ(r0.WingCl, (4 * 0.01745 - 0.01745 * -6) * lift);
  EXPECT_EQ(a->StripModel, 1);
}

TEST(SetSpec, SettingAgainRewindsButKeepsTheRecordedFlight) {
  auto a = fakes::MakeAircraft();
  a->Step = 120;
  a->LastStep = 119;
  a->Records[50].Position[0] = 42;
  a->BendingAngle[3] = 0.01;
  a->StripEndZ[3] = 0.2;
  a->DisplayX = 77;
  flight::SetSpec(*a, fakes::GliderSpec());
  EXPECT_EQ(a->Step, 0);
  EXPECT_EQ(a->LastStep, 119);
  EXPECT_EQ(a->Records[50].Position[0], 42);
  EXPECT_EQ(a->BendingAngle[3], 0.01);
  EXPECT_EQ(a->StripEndZ[3], 0);
  EXPECT_EQ(a->DisplayX, 77);
}

TEST(SetSpec, OnlyTheLowByteOfStripModelCounts) {
  AircraftSpec s = fakes::GliderSpec();
  s.StripModel = 257;
  EXPECT_EQ(fakes::MakeAircraft(s)->StripModel, 1);
}

}  // namespace
