#include "flight/wing_bending.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/fake_platform.h"
#include "fakes/test_aircraft.h"

namespace {

std::unique_ptr<flight::Aircraft> SingleStrip(double width, double dihedralDeg = 0) {
  flight::AircraftSpec s = fakes::GliderSpec();
  s.SectionEnabled = {1, 0, 0, 0};
  s.SectionSpan = {width, 0, 0, 0};
  s.SectionTaper = {1, 0, 0, 0};
  s.SectionDihedral = {dihedralDeg, 0, 0, 0};
  return fakes::MakeAircraft(s);
}

TEST(WingBending, NoLoadAndNoMassLeavesOnlyDihedralAndSweep) {
  flight::AircraftSpec s = fakes::GliderSpec();
  s.WingMass = 0;
  s.SectionSweep = {0, 3, 0, 0};
  auto a = fakes::MakeAircraft(s);
  auto model = std::make_unique<fakes::RecordingModel>();
  fakes::RecordingModel& frames = *model;
  a->Model = std::move(model);
  flight::WingBending(*a, 0);
  const int n = a->StripCount;
  for (int j = 0; j < n; ++j) {
    EXPECT_EQ(a->BendingMoment[j], 0);
    EXPECT_EQ(a->BendingAngle[j], 0);
    const float dihedral = static_cast<float>(a->Strips[j].Dihedral);
    const float sweep = static_cast<float>(a->Strips[j].Sweep);
    EXPECT_EQ(frames.Rotations[7 + j], (fakes::Rotation{dihedral, sweep, 0})) << "strip " << j;
    EXPECT_EQ(frames.Rotations[7 + n + j], (fakes::Rotation{-dihedral, -sweep, 0})) << "mirror " << j;
  }
}

TEST(WingBending, SingleStripMomentCurvatureAndAngle) {
  auto a = SingleStrip(1.5);
  ASSERT_EQ(a->StripCount, 1);
  a->StripLift[0] = 400;  // N
  flight::WingBending(*a, 0.1);
  const double w = 1.5, m = a->Strips[0].Mass;
  const double moment = 400 * 0.5 * w - m * 0.5 * w * std::cos(0.1);
  EXPECT_DOUBLE_EQ(a->BendingMoment[0], moment);
  EXPECT_EQ(a->BendingMoment[1], 0);
  const double ei = 1.2e6 * 90 / 10000 * 9.807;
  const double curvature = moment * w * 0.5 / ei;
  EXPECT_DOUBLE_EQ(a->BendingAngle[0], std::atan(curvature) / 2);
  EXPECT_DOUBLE_EQ(a->StripEndZ[1], w * std::sin(a->BendingAngle[0]));
}

TEST(WingBending, EffectiveSpanOfAnUnbentFlatWing) {
  flight::AircraftSpec s = fakes::GliderSpec();
  s.WingMass = 0;
  s.SectionDihedral = {0, 0, 0, 0};
  auto a = fakes::MakeAircraft(s);
  flight::WingBending(*a, 0);
  EXPECT_DOUBLE_EQ(a->EffectiveSpan, 2 * (5.7 + 5 + 3 + 1 + 0.3));
  // Aspect ratio from the projected area of both halves.
  EXPECT_DOUBLE_EQ(a->AspectRatio, a->EffectiveSpan * a->EffectiveSpan / (2 * a->StripArea));
}

TEST(WingBending, LiftBendsTheWingUpAndRaisesTheTips) {
  auto a = fakes::MakeAircraft();
  for (int j = 0; j < a->StripCount; ++j) a->StripLift[j] = 40;
  for (int i = 0; i < 20; ++i) flight::WingBending(*a, 0);  // settle the one-call lag
  const int n = a->StripCount;
  EXPECT_GT(a->BendingMoment[0], a->BendingMoment[n - 1]);
  EXPECT_GT(a->StripEndZ[n], a->StripEndZ[n / 2]);
  EXPECT_LT(a->EffectiveSpan, 30);
}

TEST(WingBending, AircraftWithoutStripsOrModelIsLeftAlone) {
  flight::Aircraft empty;
  flight::WingBending(empty, 0);
  flight::ResetWingFrames(empty);
  EXPECT_EQ(empty.EffectiveSpan, 0);
  EXPECT_EQ(empty.AspectRatio, 0);  // no projected area: the aspect ratio is kept
}

}  // namespace
