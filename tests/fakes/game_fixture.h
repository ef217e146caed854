#pragma once
// A game in a fresh copy of the shipped data, drawing into a recording device, with
// the platform doubles installed; shut down after each test.
#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "game/game.h"
#include "platform/recording_device.h"

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
};

}  // namespace fakes
