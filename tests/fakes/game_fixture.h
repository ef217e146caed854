#pragma once
// A game in a fresh copy of the shipped data, drawing into a recording device, with
// the platform doubles installed; shut down after each test.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "app/menu_commands.h"
#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "game/game.h"
#include "fakes/recording_device.h"

namespace fakes {

struct GameFixture : ::testing::Test {
  FakePlatform os;
  TempWorkingDir dir;
  platform::RecordingDevice device{1024, 746};
  game::Game g;

  void SetUp() override {
    std::filesystem::copy(VELKARO_DATA_DIR, dir.Path(), std::filesystem::copy_options::recursive);
    g.Device = &device;
    g.WindowWidth = 1024;
    g.WindowHeight = 768;
    g.ClientWidth = 1024;
    g.ClientHeight = 746;
  }
  void TearDown() override { game::Shutdown(g); }

  // Runs game ticks. The device's recorded calls are dropped at each tick, so memory
  // stays flat over long flights: before it (the last tick's calls stay for the test to
  // read), or after it when ClearAfterTick is set (a test then ticks the game itself to
  // read one tick's calls).
  void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) {
      if (!ClearAfterTick) ClearCalls();
      app::RunTick(g);
      if (ClearAfterTick) ClearCalls();
    }
  }
  // Ticks until the state is reached; returns the ticks taken (fails after the limit).
  int TickUntil(game::GameState state, int limit = 20000) {
    for (int i = 1; i <= limit; ++i) {
      Tick();
      if (g.State == state) return i;
    }
    ADD_FAILURE() << "state " << int(state) << " not reached; state is " << int(g.State);
    return limit;
  }
  // The player's design comes down within a second: launched 1.5 m above the water
  // with a heavy pilot.
  static void WriteQuickDesign() {
    std::string design = ReadText("temp.txt");
    design.replace(design.find(",10.5\r"), 6, ",1.5\r");
    design.replace(design.find(",100\r"), 5, ",1000\r");
    WriteText("temp.txt", design);
  }
  void ClearCalls() {
    device.Calls.clear();
    device.Draws.clear();
  }
  bool ClearAfterTick = false;
};

}  // namespace fakes
