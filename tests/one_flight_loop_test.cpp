// The game's state machine and the headless tools fly the same loop: a scripted
// player's flight and a demo flight give bit-identical records in the game and in
// velkaro-sim's flights.
#include <gtest/gtest.h>

#include "fakes/flight_hash.h"
#include "fakes/game_fixture.h"
#include "game/game.h"
#include "ranking/ranking_files.h"
#include "sim/headless_flight.h"
#include "sim/player_flight.h"

namespace {

using platform::Key;

// The player's hands, tick by tick from the first launch tick: Down on the platform,
// a mouse drag with the button held, a drag without it, then Up late in the flight.
void ScriptedHands(fakes::FakeInput& input, int tick) {
  input.Release(Key::Up);
  input.Release(Key::Down);
  input.Release(Key::LeftButton);
  if (tick < 25) input.Press(Key::Down);
  if (tick > 250 && tick < 270) {
    input.Press(Key::LeftButton);
    input.CursorAt.Y += 3;
  }
  if (tick > 300 && tick < 330) input.CursorAt.Y -= 4;
  if (tick > 800 && tick % 30 == 0) input.Press(Key::Up);
}

struct OneFlightLoop : fakes::GameFixture {
  OneFlightLoop() { ClearAfterTick = true; }
};

TEST_F(OneFlightLoop, PlayerFlightInTheGameIsTheHeadlessPlayerFlight) {
  Tick();
  os.Input.Press(Key::Space);
  Tick();
  ASSERT_EQ(g.State, game::Launch);
  os.Input.Release(Key::Space);
  const fakes::FakeInput startInput = os.Input;
  for (int tick = 0; g.State == game::Launch || g.State == game::Flight; ++tick) {
    ASSERT_LT(tick, 10000);
    ScriptedHands(os.Input, tick);
    Tick();
  }
  ASSERT_EQ(g.State, game::Landed);
  const std::string inGame = fakes::FlightHashLine("flight", *g.Aircraft, g.Aircraft->DisplayX);
  const ranking::ControlLog gameLog = g.Ranking->InProgressLog;

  // The same hands through the headless player's flight.
  fakes::FakeInput hands = startInput;
  auto table = std::make_unique<ranking::RankingTable>();
  sim::PlayerControls controls{&hands, &os.Random, [&](int tick) { ScriptedHands(hands, tick); }};
  sim::PlayerFlight headless;
  ASSERT_TRUE(sim::FlyAsPlayer(*table, controls, headless));
  EXPECT_EQ(fakes::FlightHashLine("flight", *headless.Aircraft, headless.Distance), inGame);
  ASSERT_EQ(table->InProgressLog.Count, gameLog.Count);
  EXPECT_EQ(table->InProgressLog.Values, gameLog.Values);

  // Registered, the flight's entry file flies to the same touchdown. Its records are
  // not the same bits: the entry holds the tail settings at six significant digits.
  os.Dialogs.Names.push_back(std::string("loop"));
  while (g.State == game::Landed) Tick();
  const int index = g.Ranking->NewEntryIndex;
  ASSERT_LT(index, ranking::kEntryCount);
  const auto again = sim::FlyAircraftFile(ranking::EntryFileName(index));
  ASSERT_TRUE(again);
  EXPECT_EQ(again->LastStep, headless.Aircraft->LastStep);
  EXPECT_NEAR(again->Distance, headless.Distance, 0.01);
}

TEST_F(OneFlightLoop, DemoFlightInTheGameIsTheHeadlessEntryFlight) {
  Tick();
  os.Random.Values = {6};  // the demo flies entry 6
  while (g.State != game::Demo) Tick();
  int ticks = 0;
  while (g.State == game::Demo && ++ticks < 20000) Tick();
  ASSERT_EQ(g.State, game::Restart);
  const auto expected = sim::FlyAircraftFile(ranking::EntryFileName(6));
  ASSERT_TRUE(expected);
  EXPECT_EQ(fakes::FlightHashLine("demo", *g.Aircraft, g.Aircraft->DisplayX),
            fakes::FlightHashLine("demo", *expected->Aircraft, expected->Distance));
}

}  // namespace
