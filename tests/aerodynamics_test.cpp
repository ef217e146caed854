#include "flight/aerodynamics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "fakes/test_aircraft.h"

namespace {

using flight::StateTriple;

std::unique_ptr<flight::Aircraft> Calm(int stripModel = 1) {
  flight::AircraftSpec s = fakes::GliderSpec();
  s.WindSpeed = 0;
  s.StripModel = stripModel;
  return fakes::MakeAircraft(s);
}

TEST(Aerodynamics, AirspeedAndBodyAlphaWithoutWind) {
  auto a = Calm();
  flight::Accelerations(*a, 1, {0, -10, 0}, {8, 0.5, 0});
  EXPECT_EQ(a->Records[0].Airspeed, std::sqrt(8.0 * 8.0 + 0.5 * 0.5));
  EXPECT_EQ(a->Records[0].BodyAlpha, std::atan(0.5 / 8.0));
}

TEST(Aerodynamics, ZeroForwardSpeedGivesVerticalBodyAlpha) {
  auto a = Calm();
  flight::Accelerations(*a, 1, {0, -10, 0}, {0, 2, 0});
  EXPECT_EQ(a->Records[0].BodyAlpha, 1.570795);
  flight::Accelerations(*a, 1, {0, -10, 0}, {0, 0, 0});
  EXPECT_EQ(a->Records[0].BodyAlpha, -1.570795);
}

TEST(Aerodynamics, WingClLimitKeepsTheUnlimitedInducedDrag) {
  auto a = Calm(0);
  a->WingAirfoil.ClUpper = 0.5;
  a->WingAirfoil.ClAboveUpper = 0.4;
  flight::WingForces(*a, 8, 1.0, 0);  // a steep angle: CL far above 0.5
  const flight::FlightRecord& r = a->Records[0];
  EXPECT_EQ(r.WingCl, 0.4);
  const double lift = 6 / (6 / (a->AspectRatio * 3.14159) + 1);
  const double cl = lift * (std::atan(1.0 / 8) - -6 * 0.01745 + 4 * 0.01745);
  EXPECT_DOUBLE_EQ(r.WingCdi, cl * cl / (a->AspectRatio * 3.14159));
  EXPECT_DOUBLE_EQ(a->WingArm, 0.3 - 0.25 * 0.89);
}

TEST(Aerodynamics, SurfacesAtOrBelowTheWaterUseHeightOne) {
  auto below = Calm();
  below->Records[0].Position[flight::kZ] = 0.5;  // 0.5 m under water
  below->Records[0].Airspeed = 8;
  auto oneMetre = Calm();
  oneMetre->Records[0].Position[flight::kZ] = -1.0;  // exactly 1 m up (pitch 0)
  oneMetre->Records[0].Airspeed = 8;
  const flight::ForceTriple tailBelow = flight::TailForces(*below, 8, 0, 0, 0);
  const flight::ForceTriple tailOne = flight::TailForces(*oneMetre, 8, 0, 0, 0);
  EXPECT_EQ(tailBelow.Lift, tailOne.Lift);

  // Every strip of an unbent wing sits at the record's height, so the same holds.
  EXPECT_EQ(flight::StripForces(*below, 8, 0, 0).Lift, flight::StripForces(*oneMetre, 8, 0, 0).Lift);
}

TEST(Aerodynamics, WholeWingModelLeavesTheStripArraysAlone) {
  auto a = Calm(0);
  a->StripLift.fill(7);
  flight::Accelerations(*a, 2, a->Records[0].Position, a->Records[0].Velocity);
  for (double lift : a->StripLift) EXPECT_EQ(lift, 7);

  auto strips = Calm(1);
  flight::Accelerations(*strips, 2, strips->Records[0].Position, strips->Records[0].Velocity);
  EXPECT_GT(strips->StripLift[0], 0);
  EXPECT_EQ(strips->StripLift[strips->StripCount], 0);
}

TEST(Aerodynamics, UnknownComponentReturnsMinusOneAfterEvaluating) {
  auto a = Calm();
  EXPECT_EQ(flight::Accelerations(*a, 4, a->Records[0].Position, a->Records[0].Velocity), -1.0);
  EXPECT_EQ(a->Records[0].Airspeed, 8);
  EXPECT_NE(a->Records[0].WingAlphaDeg, 0);
}

TEST(Aerodynamics, OneEvaluationServesAllThreeComponentsBitForBit) {
  auto once = fakes::MakeAircraft();
  auto thrice = fakes::MakeAircraft();
  const StateTriple p{3, -9, 0.05}, v{7.5, 0.3, -0.02};
  const flight::AccelerationTriple acc = flight::EvaluateAccelerations(*once, p, v);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(acc[i - 1], flight::Accelerations(*thrice, i, p, v));
  EXPECT_EQ(0, std::memcmp(&once->Records[0], &thrice->Records[0], sizeof(flight::FlightRecord)));
  EXPECT_EQ(once->StripLift, thrice->StripLift);
  EXPECT_EQ(once->StripArea, thrice->StripArea);
}

TEST(Aerodynamics, DownwashReachesTheTailAfterItsTravelTime) {
  auto a = Calm();
  a->DownwashDistance = 0.8;                                // m: at 8 m/s, 0.1 s = 5 steps
  for (int n = 0; n < 10; ++n) a->Records[n].Downwash = n;  // marks
  a->Step = 7;
  a->Records[7].Velocity = {8, 0, 0};
  a->Records[7].WingCl = 1.0;
  flight::UpdateDownwash(*a);
  EXPECT_EQ(a->Records[7].ResultantSpeed, 8);
  EXPECT_EQ(a->Records[7].Downwash, 2 * 1.0 / (a->AspectRatio * 3.14159));
  EXPECT_EQ(a->Records[8].TailDownwash, 2);  // record 7 - 5

  a->Step = 3;  // a delay reaching back before record 0 takes record 0
  a->Records[3].Velocity = {8, 0, 0};
  flight::UpdateDownwash(*a);
  EXPECT_EQ(a->Records[4].TailDownwash, a->Records[0].Downwash);
}

TEST(Aerodynamics, StandingStillNeverIndexesOutsideTheRecords) {
  auto a = Calm();
  a->Step = 10;
  a->Records[10].Velocity = {0, 0, 0};  // resultant speed 0: an infinite delay
  flight::UpdateDownwash(*a);
  EXPECT_EQ(a->Records[11].TailDownwash, a->Records[0].Downwash);
}

}  // namespace
