// The game controller through the platform doubles: the stick's dead zone and
// proportional trim capped at one key step a tick, the D-pad as the arrow keys, A as
// Space, the shoulders cycling the cameras; and a controller's trims logged and flown
// again exactly as the keys' are.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fakes/flight_hash.h"
#include "fakes/game_fixture.h"
#include "game/pad_controls.h"
#include "sim/pad_trim.h"
#include "sim/player_flight.h"

namespace {

using platform::Key;
using platform::PadButton;

TEST(PadTrim, StickRateHasADeadZoneThenGrowsInProportionToFullTravel) {
  EXPECT_EQ(sim::StickTrimRate(0), 0);
  EXPECT_EQ(sim::StickTrimRate(0.2), 0);
  EXPECT_EQ(sim::StickTrimRate(-sim::kStickDeadZone), 0);
  EXPECT_DOUBLE_EQ(sim::StickTrimRate(0.625), 0.5);
  EXPECT_DOUBLE_EQ(sim::StickTrimRate(-0.625), -0.5) << "forward trims as Up";
  EXPECT_DOUBLE_EQ(sim::StickTrimRate(1), 1);
  EXPECT_DOUBLE_EQ(sim::StickTrimRate(-1.5), -1) << "never beyond full travel";
  EXPECT_EQ(sim::StickTrimRate(std::numeric_limits<double>::quiet_NaN()), 0);
}

// Steps of `ticks` ticks with the stick held at y; none may exceed one.
std::vector<int> StickSteps(sim::PadTrimState& state, fakes::FakeInput& input, double y, int ticks) {
  input.StickY = y;
  std::vector<int> steps;
  for (int i = 0; i < ticks; ++i) steps.push_back(sim::PadTrimSteps(state, input));
  return steps;
}

TEST(PadTrim, StickStepsAreWholeAtMostOneATickAndProportionalOverTime) {
  fakes::FakePlatform os;
  sim::PadTrimState state;
  EXPECT_EQ(StickSteps(state, os.Input, 1, 4), (std::vector<int>{1, 1, 1, 1})) << "full travel: a key held";
  EXPECT_EQ(StickSteps(state, os.Input, 0.625, 6), (std::vector<int>{0, 1, 0, 1, 0, 1})) << "half travel";
  EXPECT_EQ(StickSteps(state, os.Input, 0.1, 5), (std::vector<int>{0, 0, 0, 0, 0})) << "in the dead zone";
  // Built-up rate does not survive a release or a turn the other way.
  StickSteps(state, os.Input, 0.625, 1);
  EXPECT_EQ(StickSteps(state, os.Input, -0.625, 2), (std::vector<int>{0, -1}));
  StickSteps(state, os.Input, 0.625, 1);
  StickSteps(state, os.Input, 0, 1);
  EXPECT_EQ(StickSteps(state, os.Input, 0.625, 1), (std::vector<int>{0}));

  int total = 0;
  for (int step : StickSteps(state, os.Input, -0.85, 100)) {
    ASSERT_LE(std::abs(step), 1);
    total += step;
  }
  EXPECT_NEAR(total, -80, 1) << "80 % of the way from the dead zone to full travel";
}

TEST(PadTrim, DpadActsAsTheArrowKeysAndWinsOverTheStick) {
  fakes::FakePlatform os;
  sim::PadTrimState state;
  os.Input.StickY = 1;
  os.Input.Press(PadButton::DpadUp);
  EXPECT_EQ(sim::PadTrimSteps(state, os.Input), -1);
  EXPECT_EQ(sim::PadTrimSteps(state, os.Input), -1);
  os.Input.Press(PadButton::DpadDown);
  EXPECT_EQ(sim::PadTrimSteps(state, os.Input), 0) << "both: nothing, as Up and Down together";
  os.Input.Release(PadButton::DpadUp);
  EXPECT_EQ(sim::PadTrimSteps(state, os.Input), 1);

  // With the keys: the controller is one more hand, and nothing without one.
  os.Input.Release(PadButton::DpadDown);
  os.Input.StickY = 0;
  os.Input.Press(Key::Down);
  sim::TrimInputState trim;
  EXPECT_EQ(sim::ReadTrimSteps(trim, os.Input), 1);
  os.Input.Press(PadButton::DpadDown);
  EXPECT_EQ(sim::ReadTrimSteps(trim, os.Input), 2);
}

TEST(PadButtons, AIsSpaceAndTheShouldersCycleTheCameraModesWithWrap) {
  fakes::FakePlatform os;
  EXPECT_FALSE(game::SpaceOrPadADown(os.Input));
  os.Input.Press(PadButton::A);
  EXPECT_TRUE(game::SpaceOrPadADown(os.Input));

  using game::CameraMode;
  game::PadShoulders shoulders;
  CameraMode mode = CameraMode::Pilot;
  const auto frame = [&] { mode = game::PadCameraMode(mode, shoulders, os.Input); };
  os.Input.Press(PadButton::RightShoulder);
  frame();
  EXPECT_EQ(mode, CameraMode::Orbit);
  frame();
  frame();
  EXPECT_EQ(mode, CameraMode::Orbit) << "held: one step per press";
  for (CameraMode expected : {CameraMode::Telephoto, CameraMode::Overview, CameraMode::Behind}) {
    os.Input.Release(PadButton::RightShoulder);
    frame();
    os.Input.Press(PadButton::RightShoulder);
    frame();
    EXPECT_EQ(mode, expected);
  }
  os.Input.Release(PadButton::RightShoulder);
  for (CameraMode expected : {CameraMode::Overview, CameraMode::Telephoto}) {
    os.Input.Press(PadButton::LeftShoulder);
    frame();
    os.Input.Release(PadButton::LeftShoulder);
    frame();
    EXPECT_EQ(mode, expected) << "the left shoulder steps back, from 0 to 4";
  }
  os.Input.Press(PadButton::LeftShoulder);
  os.Input.Press(PadButton::RightShoulder);
  frame();
  EXPECT_EQ(mode, CameraMode::Telephoto) << "both at once cancel";
}

struct PadInTheGame : fakes::GameFixture {};

TEST_F(PadInTheGame, ALaunchesDpadTrimsLikeTheKeysAndTheShoulderChangesTheCamera) {
  Tick();
  os.Input.Press(PadButton::A);
  Tick();
  ASSERT_EQ(g.State, game::Launch);
  os.Input.Release(PadButton::A);
  os.Input.Press(PadButton::DpadDown);  // trim on the platform: 20 steps are 1 degree
  Tick(20);
  os.Input.Release(PadButton::DpadDown);
  EXPECT_DOUBLE_EQ(g.Aircraft->TailSetting, -0.5 + 20 * 0.05);
  EXPECT_EQ(g.View.Free.Mode, game::CameraMode::Pilot);
  os.Input.Press(PadButton::RightShoulder);
  Tick(3);
  EXPECT_EQ(g.View.Free.Mode, game::CameraMode::Orbit);
}

// The same hands on the keys or on a controller: Down on the platform; later in the
// flight a nose-down trim at half the keys' rate (Up every other tick, or the stick
// half forward) and a pull with Down (or the D-pad).
void KeyHands(fakes::FakeInput& input, int tick) {
  input.Release(Key::Up);
  input.Release(Key::Down);
  if (tick < 25) input.Press(Key::Down);
  if (tick >= 300 && tick < 340 && tick % 2 == 1) input.Press(Key::Up);
  if (tick >= 600 && tick < 620) input.Press(Key::Down);
}
void PadHands(fakes::FakeInput& input, int tick) {
  input.Release(PadButton::DpadDown);
  input.StickY = 0;
  if (tick < 25) input.Press(PadButton::DpadDown);
  if (tick >= 300 && tick < 340) input.StickY = -0.625;
  if (tick >= 600 && tick < 620) input.Press(PadButton::DpadDown);
}

TEST(PadFlight, AControllersFlightIsLoggedAndFlownAsTheSameFlightOnTheKeys) {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  std::filesystem::copy(VELKARO_DATA_DIR, dir.Path(), std::filesystem::copy_options::recursive);
  const auto fly = [&](void (*hands)(fakes::FakeInput&, int), std::unique_ptr<ranking::RankingTable>& table) {
    fakes::FakeInput input;
    table = std::make_unique<ranking::RankingTable>();
    sim::PlayerControls controls{&input, &os.Random, [&](int tick) { hands(input, tick); }};
    sim::PlayerFlight flown;
    EXPECT_TRUE(sim::FlyAsPlayer(*table, controls, flown));
    return fakes::FlightHashLine("flight", *flown.Aircraft, flown.Distance);
  };
  std::unique_ptr<ranking::RankingTable> keys, pad;
  const std::string onKeys = fly(KeyHands, keys);
  EXPECT_EQ(fly(PadHands, pad), onKeys);
  EXPECT_EQ(pad->InProgressLog.Count, keys->InProgressLog.Count);
  EXPECT_EQ(pad->InProgressLog.Values, keys->InProgressLog.Values);
}

}  // namespace
