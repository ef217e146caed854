// The caches in the aircraft (strip terms, bending sines and cosines, repeated force
// calls) keep derived values with the inputs they came from. A flight must come out
// the same bits whether they are used or emptied before every step, and a change of
// the strips must reach the next evaluation.
#include <gtest/gtest.h>

#include <cstring>

#include "fakes/test_aircraft.h"
#include "flight/aerodynamics.h"
#include "flight/flight_step.h"

namespace {

void ForgetCaches(flight::Aircraft& a) {
  a.StripTerms = {};
  a.BendingTrig = {};
  a.ForceCalls = {};
}

// Flies `steps` steps (or to touchdown); with `forget`, every cache is emptied first.
void Fly(flight::Aircraft& a, int steps, bool forget) {
  for (int i = 0; i < steps; ++i) {
    if (forget) ForgetCaches(a);
    if (flight::FlightStep(a)) return;
  }
}

void ExpectSameFlight(const flight::Aircraft& x, const flight::Aircraft& y) {
  ASSERT_EQ(x.Step, y.Step);
  const size_t rows = sizeof(flight::FlightRecord) * (x.Step + 2u);
  EXPECT_EQ(0, std::memcmp(x.Records.data(), y.Records.data(), rows));
  EXPECT_EQ(0, std::memcmp(x.RecordCopy.data(), y.RecordCopy.data(), rows));
  EXPECT_EQ(x.StripLift, y.StripLift);
  EXPECT_EQ(x.StripDrag, y.StripDrag);
  EXPECT_EQ(x.BendingMoment, y.BendingMoment);
  EXPECT_EQ(x.BendingAngle, y.BendingAngle);
  EXPECT_EQ(x.StripEndZ, y.StripEndZ);
  EXPECT_EQ(0, std::memcmp(&x.AspectRatio, &y.AspectRatio, sizeof(double)));
  EXPECT_EQ(0, std::memcmp(&x.StripArea, &y.StripArea, sizeof(double)));
}

TEST(StripCaches, AWholeFlightIsTheSameWithCachesEmptiedBeforeEveryStep) {
  flight::AircraftSpec s = fakes::GliderSpec();
  s.SectionSweep = {4, -2, 0, 3};  // sweep terms too
  auto cached = fakes::MakeAircraft(s);
  auto fresh = fakes::MakeAircraft(s);
  Fly(*cached, flight::kRecordCapacity, false);
  Fly(*fresh, flight::kRecordCapacity, true);
  ASSERT_GT(cached->Step, 1000);
  ExpectSameFlight(*cached, *fresh);
}

TEST(StripCaches, StripsChangedBetweenStepsReachTheNextStep) {
  auto cached = fakes::MakeAircraft();
  auto fresh = fakes::MakeAircraft();
  Fly(*cached, 50, false);
  Fly(*fresh, 50, false);
  for (flight::Aircraft* a : {cached.get(), fresh.get()}) {
    a->Strips[3].Width *= 1.1;
    a->Strips[3].Area *= 1.1;
    a->Strips[5].Sweep = 0.05;
    a->Strips[7].Chord *= 0.9;
  }
  ForgetCaches(*fresh);
  Fly(*cached, 50, false);
  Fly(*fresh, 50, false);
  ExpectSameFlight(*cached, *fresh);
}

TEST(StripCaches, StripForcesOutsideAStepSeeAChangedStrip) {
  auto a = fakes::MakeAircraft();
  Fly(*a, 10, false);  // a step holds the geometry only while it runs
  flight::StripForces(*a, 8, 0.3, 0.05);
  a->Strips[2].Area *= 1.5;
  const double lift = flight::StripForces(*a, 8, 0.3, 0.05).Lift;
  ForgetCaches(*a);
  EXPECT_EQ(lift, flight::StripForces(*a, 8, 0.3, 0.05).Lift);
  EXPECT_FALSE(a->StripTerms.GeometryHeld);
}

}  // namespace
