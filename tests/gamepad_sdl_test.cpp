// A virtual game controller (SDL's virtual joystick) through the real SDL input layer:
// controllers plugged in and out while the input runs, the stick and the buttons as
// the game reads them, and a whole flight flown with the controller through the game's
// state machine, registered and flown again from its entry file.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "fakes/flight_hash.h"
#include "fakes/game_fixture.h"
#include "platform/sdl/sdl_input.h"
#include "sim/headless_flight.h"
#include "sim/player_flight.h"

namespace {

using platform::PadButton;

constexpr Sint16 kFullForward = -32768;  // SDL axis values
constexpr Sint16 kHalfForward = -20480;  // 62.5 % of the travel: half the trim rate
constexpr Sint16 kHalfBack = 16384;

// A virtual controller with the standard layout, plugged in while it lives.
class VirtualPad {
public:
  VirtualPad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "velkaro test pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index >= 0) Joystick_ = SDL_JoystickOpen(index);
  }
  ~VirtualPad() { Unplug(); }
  bool Plugged() const { return Joystick_ != nullptr; }

  void Axis(SDL_GameControllerAxis axis, Sint16 value) { SDL_JoystickSetVirtualAxis(Joystick_, axis, value); }
  void Button(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(Joystick_, button, down ? 1 : 0);
  }
  void Unplug() {
    if (!Joystick_) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(Joystick_);
    SDL_JoystickClose(Joystick_);
    Joystick_ = nullptr;
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
      if (SDL_JoystickGetDeviceInstanceID(index) == id) SDL_JoystickDetachVirtual(index);
    }
  }

private:
  SDL_Joystick* Joystick_ = nullptr;
};

// What the game's loop does between ticks: SDL takes in the devices' new state.
void Pump() {
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

class SdlGamepad : public ::testing::Test {
protected:
  static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "dummy", 1); }
};

TEST_F(SdlGamepad, ControllersComeAndGoWhileTheInputRunsAndTheGameReadsTheirStickAndButtons) {
  platform::SdlInput input;
  Pump();
  const int before = input.PadCount();
  EXPECT_FALSE(input.IsPadDown(PadButton::A));
  EXPECT_EQ(input.PadStickY(), 0);
  {
    VirtualPad pad;
    ASSERT_TRUE(pad.Plugged()) << SDL_GetError();
    Pump();
    EXPECT_EQ(input.PadCount(), before + 1) << "plugged in: opened";

    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, kHalfBack);
    pad.Button(SDL_CONTROLLER_BUTTON_A, true);
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    pad.Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    Pump();
    EXPECT_NEAR(input.PadStickY(), 0.5, 1e-4);
    EXPECT_TRUE(input.IsPadDown(PadButton::A));
    EXPECT_TRUE(input.IsPadDown(PadButton::DpadDown));
    EXPECT_TRUE(input.IsPadDown(PadButton::RightShoulder));
    EXPECT_FALSE(input.IsPadDown(PadButton::DpadUp));
    EXPECT_FALSE(input.IsPadDown(PadButton::LeftShoulder));

    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, kFullForward);
    pad.Button(SDL_CONTROLLER_BUTTON_A, false);
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    pad.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    Pump();
    EXPECT_EQ(input.PadStickY(), -1) << "the far end of the axis is full travel, no further";
    EXPECT_FALSE(input.IsPadDown(PadButton::A));
    EXPECT_TRUE(input.IsPadDown(PadButton::DpadUp));
    EXPECT_TRUE(input.IsPadDown(PadButton::LeftShoulder));
    EXPECT_FALSE(input.IsDown(platform::Key::Space)) << "a button is no key";

    pad.Unplug();  // with buttons held and the stick forward
    Pump();
    EXPECT_EQ(input.PadCount(), before) << "unplugged: closed";
    EXPECT_FALSE(input.IsPadDown(PadButton::DpadUp));
    EXPECT_EQ(input.PadStickY(), 0);
  }
  VirtualPad again;
  ASSERT_TRUE(again.Plugged());
  again.Button(SDL_CONTROLLER_BUTTON_A, true);
  Pump();
  EXPECT_EQ(input.PadCount(), before + 1) << "and plugged in again";
  EXPECT_TRUE(input.IsPadDown(PadButton::A));
}

// The game on the recording device with SDL's input in place of the fake keys.
struct PadGame : fakes::GameFixture {
  platform::SdlInput input;
  platform::ScopedServices real{{&os.Clock, &input, &os.Dialogs, &os.Random, &os.Menu, &os.Processes}};
  void Tick() {
    Pump();
    GameFixture::Tick();
  }
};

// The controller's hands, tick by tick from the first launch tick: the D-pad down on
// the platform, later the stick half forward (a step every other tick), full back for
// a while, and a shoulder press that changes the camera.
void PadHands(VirtualPad& pad, int tick) {
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, tick < 25);
  Sint16 stick = 0;
  if (tick >= 300 && tick < 340) stick = kHalfForward;
  if (tick >= 600 && tick < 615) stick = SDL_JOYSTICK_AXIS_MAX;
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, stick);
  pad.Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, tick >= 400 && tick < 410);
}
// The same trims on the keys.
void KeyHands(fakes::FakeInput& keys, int tick) {
  keys.Release(platform::Key::Up);
  keys.Release(platform::Key::Down);
  if (tick < 25 || (tick >= 600 && tick < 615)) keys.Press(platform::Key::Down);
  if (tick >= 300 && tick < 340 && tick % 2 == 1) keys.Press(platform::Key::Up);
}

TEST_F(PadGame, AWholeFlightWithTheControllerIsTheKeysFlightAndFliesAgainFromItsEntry) {
  VirtualPad pad;
  ASSERT_TRUE(pad.Plugged()) << SDL_GetError();
  Tick();
  ASSERT_EQ(g.State, game::Ready);
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  Tick();
  ASSERT_EQ(g.State, game::Launch) << "A launches";
  pad.Button(SDL_CONTROLLER_BUTTON_A, false);
  for (int tick = 0; g.State == game::Launch || g.State == game::Flight; ++tick) {
    ASSERT_LT(tick, 10000);
    PadHands(pad, tick);
    Tick();
  }
  ASSERT_EQ(g.State, game::Landed);
  EXPECT_EQ(g.View.Free.Mode, game::CameraMode::Orbit) << "one shoulder press: the next camera";
  const std::string flown = fakes::FlightHashLine("flight", *g.Aircraft, g.Aircraft->DisplayX);
  const ranking::ControlLog log = g.Ranking->InProgressLog;

  fakes::FakeInput keys;
  auto table = std::make_unique<ranking::RankingTable>();
  sim::PlayerControls controls{&keys, &os.Random, [&](int tick) { KeyHands(keys, tick); }};
  sim::PlayerFlight onKeys;
  ASSERT_TRUE(sim::FlyAsPlayer(*table, controls, onKeys));
  EXPECT_EQ(fakes::FlightHashLine("flight", *onKeys.Aircraft, onKeys.Distance), flown);
  EXPECT_EQ(table->InProgressLog.Values, log.Values);

  // Registered, it flies again from its entry file to the same touchdown.
  os.Dialogs.Names.push_back(std::string("pad"));
  for (int i = 0; g.State == game::Landed && i < 1000; ++i) Tick();
  ASSERT_EQ(g.State, game::Replay);
  const int index = g.Ranking->NewEntryIndex;
  ASSERT_LT(index, ranking::kEntryCount);
  const auto again = sim::FlyAircraftFile(ranking::EntryFileName(index));
  ASSERT_TRUE(again);
  EXPECT_EQ(again->LastStep, onKeys.Aircraft->LastStep);
  EXPECT_NEAR(again->Distance, onKeys.Distance, 0.01);
}

}  // namespace
