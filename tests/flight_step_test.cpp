#include "flight/flight_step.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>

#include "fakes/fake_platform.h"
#include "fakes/test_aircraft.h"
#include "flight/launch_run.h"
#include "sim/player_trim.h"

namespace {

using platform::Key;

std::unique_ptr<flight::Aircraft> StartingAt(double height) {
  flight::AircraftSpec s = fakes::GliderSpec();
  s.StartZ = -height;
  return fakes::MakeAircraft(s);
}

// Flies until touchdown with the tail left alone; returns the number of steps.
int FlyToTouchdown(flight::Aircraft& a, flight::ForceEvaluation mode = flight::ForceEvaluation::OncePerStage) {
  int steps = 0;
  while (!flight::FlightStep(a, mode)) {
    flight::ShowRecord(a);
    ++steps;
  }
  return steps;
}

TEST(FlightStep, StartBelowTouchdownHeightEndsInTheFirstStep) {
  auto a = StartingAt(0.1);
  a->DisplayX = 0;
  EXPECT_TRUE(flight::FlightStep(*a));
  EXPECT_EQ(a->LastStep, 0);
  EXPECT_EQ(a->Step, 0);
  EXPECT_EQ(a->DisplayX, 0);
}

TEST(FlightStep, ExactlyTouchdownHeightFliesOn) {
  auto a = StartingAt(0.2);
  EXPECT_FALSE(flight::FlightStep(*a));
  EXPECT_EQ(a->Step, 1);
  a->Records[1].Position[flight::kZ] = -0.1999;  // the first record below 0.2 m
  EXPECT_TRUE(flight::FlightStep(*a));
  EXPECT_EQ(a->LastStep, 1);
}

TEST(FlightStep, RecordsTheTailSettingAndCopiesTheRowBeforeIntegrating) {
  auto a = fakes::MakeAircraft();
  auto model = std::make_unique<fakes::RecordingModel>();
  fakes::RecordingModel& frames = *model;
  a->Model = std::move(model);
  a->TailSetting = 1.25;
  flight::FlightStep(*a);
  EXPECT_EQ(a->Records[0].TailSettingDeg, 1.25);
  EXPECT_EQ(frames.Rotations[4], (fakes::Rotation{0, 0, static_cast<float>(-(1.25 * 3.14159 / 180))}));
  // The copy keeps the values at the recorded state; the record itself ends with
  // those of the last Runge-Kutta stage.
  EXPECT_EQ(a->RecordCopy[0].Airspeed, 8.5);  // 8 m/s and the 0.5 m/s head wind
  EXPECT_NE(a->Records[0].Airspeed, a->RecordCopy[0].Airspeed);
  EXPECT_EQ(a->RecordCopy[0].Position, a->Records[0].Position);
  EXPECT_GT(a->Records[1].Position[flight::kX], 0.15);
}

TEST(FlightStep, OnePerStageEvaluationMatchesThreeFullEvaluationsOverAWholeFlight) {
  auto fast = fakes::MakeAircraft();
  auto literal = fakes::MakeAircraft();
  const int fastSteps = FlyToTouchdown(*fast, flight::ForceEvaluation::OncePerStage);
  const int literalSteps = FlyToTouchdown(*literal, flight::ForceEvaluation::PerComponent);
  ASSERT_EQ(fastSteps, literalSteps);
  ASSERT_GT(fastSteps, 1000);
  EXPECT_EQ(fast->DisplayX, literal->DisplayX);
  EXPECT_EQ(0,
            std::memcmp(fast->Records.data(), literal->Records.data(), sizeof(flight::FlightRecord) * (fastSteps + 2)));
  EXPECT_EQ(0, std::memcmp(fast->RecordCopy.data(), literal->RecordCopy.data(),
                           sizeof(flight::FlightRecord) * (fastSteps + 1)));
  EXPECT_EQ(fast->StripLift, literal->StripLift);
  EXPECT_EQ(fast->StripDrag, literal->StripDrag);
  EXPECT_EQ(fast->BendingAngle, literal->BendingAngle);
  EXPECT_EQ(fast->StripEndZ, literal->StripEndZ);
  EXPECT_EQ(fast->AspectRatio, literal->AspectRatio);
  EXPECT_EQ(fast->WingArm, literal->WingArm);
}

TEST(FlightStep, FlightThatNeverLandsEndsAtTheLastRecordRow) {
  flight::AircraftSpec s = fakes::GliderSpec();
  s.StartZ = -1e9;  // a billion metres up: no touchdown in 100 s
  auto a = fakes::MakeAircraft(s);
  FlyToTouchdown(*a);
  EXPECT_EQ(a->LastStep, 4998);
  EXPECT_EQ(a->Step, 4998);
  EXPECT_TRUE(flight::FlightStep(*a));  // further calls stay inside the records
}

TEST(ReplayStep, ShowsEveryRecordThenRestoresTheUnbentWing) {
  auto a = StartingAt(0.1);
  auto model = std::make_unique<fakes::RecordingModel>();
  fakes::RecordingModel& frames = *model;
  a->Model = std::move(model);
  ASSERT_TRUE(flight::FlightStep(*a));  // touchdown at LastStep 0
  flight::SetSpec(*a, [] {
    auto s = fakes::GliderSpec();
    s.StartZ = -0.1;
    return s;
  }());
  EXPECT_FALSE(flight::ReplayStep(*a));
  EXPECT_EQ(a->Step, 1);
  EXPECT_EQ(a->DisplayHeight, 0.1f);
  EXPECT_TRUE(flight::ReplayStep(*a));
  const float dihedral = static_cast<float>(a->Strips[0].Dihedral);
  EXPECT_EQ(frames.Rotations[7], (fakes::Rotation{dihedral, 0, 0}));
}

TEST(LaunchRun, StartsAtThePlatformTopAndLeavesAtItsEdge) {
  fakes::FakeRandom random;
  auto a = fakes::MakeAircraft();
  flight::LaunchRunState state{3.5f};
  a->DisplayX = -10;
  a->TailSetting = 2;
  EXPECT_FALSE(flight::LaunchRun(*a, state, 0, random));
  EXPECT_EQ(a->DisplayX, -10);
  EXPECT_EQ(state.RunDistance, 0);
  EXPECT_EQ(a->TailSetting, -0.5);  // a new run starts from the file's tail setting
  EXPECT_FLOAT_EQ(a->DisplayHeight, 11.5f - 0.0125f);

  int ticks = 0;
  float t = 0;
  random.Values = {99};
  bool left = false;
  while (!left) {
    t += 0.02f;
    left = flight::LaunchRun(*a, state, t, random);
    ++ticks;
    if (ticks == 1) {
      EXPECT_FLOAT_EQ(a->DisplayHeight,
                      static_cast<float>((11.5 - t * t * (8.0f * 0.357f - 1.18f) * 0.05235) + 0.01225));
    }
  }
  EXPECT_EQ(a->DisplayX, 0);
  EXPECT_EQ(a->DisplayHeight, 11);
  // s = a t^2 reaches 10 m at t = sqrt(10 / 1.676).
  EXPECT_EQ(ticks, static_cast<int>(std::ceil(std::sqrt(10 / (8 * 0.357 - 1.18)) / 0.02 - 1e-3)));
}

TEST(TailInput, KeysAndMouseDragTrimTheTail) {
  fakes::FakeInput input;
  sim::TrimInputState state;
  auto a = fakes::MakeAircraft();
  std::ostringstream* log = new std::ostringstream;
  a->CoordinateLog.reset(log);

  input.Press(Key::Up);
  input.Press(Key::Down);
  sim::TailInput(*a, state, input);
  EXPECT_EQ(a->TailSetting, -0.5);

  input.Release(Key::Up);
  for (int i = 0; i < 20; ++i) sim::TailInput(*a, state, input);
  EXPECT_NEAR(a->TailSetting, 0.5, 1e-12);
  input.Release(Key::Down);

  input.CursorAt = {100, 200};
  sim::TailInput(*a, state, input);  // the button is up: only remembers the cursor
  input.Press(Key::LeftButton);
  input.CursorAt = {100, 190};  // 10 px up
  sim::TailInput(*a, state, input);
  EXPECT_NEAR(a->TailSetting, 0.0, 1e-12);
  EXPECT_EQ(log->str().substr(0, 13), "-0.5gg0\n-0.45");
}

TEST(ShowRecord, CopiesThePoseAndLogsTheRecord) {
  auto a = fakes::MakeAircraft();
  auto* log = new std::ostringstream;
  a->CoordinateLog.reset(log);
  a->Step = 50;
  a->Records[50].Position = {12.5, -9.25, 0.125};
  a->Records[50].Velocity = {7.5, 0.25, -0.5};
  flight::ShowRecord(*a);
  EXPECT_EQ(a->DisplayX, 12.5f);
  EXPECT_EQ(a->DisplayHeight, 9.25f);
  EXPECT_EQ(a->DisplayPitch, 0.125f);
  EXPECT_EQ(log->str(), "1,12.5,9.25,0.125,7.5,0.25,-0.5,");
}

}  // namespace
