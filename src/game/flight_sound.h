#pragma once
// What the sound hears of the game: the flight shown each tick and its moments. The
// game says what happens; the sound (platform) decides how it sounds. Only the aircraft
// the game shows is heard: the ghost makes no sound.
#include "flight/aircraft.h"
#include "platform/sound.h"

namespace game {

// The sound's view of a flight record: airspeed, load and climb.
platform::FlightSound AirborneSound(const flight::Aircraft& a, const flight::FlightRecord& row);

// The state the sound saw before the tick, to tell what the tick did.
struct SoundWatch {
  uint8_t StateBefore = 0;      // GameState
  int8_t PhaseBefore = 0;       // DemoPhase
  float RunDistanceBefore = 0;  // m along the platform
};

// The player's sound options (kept in the settings file by the shell).
struct SoundOptions {
  static constexpr int kVolumeSteps = 4;  // quarter, half, three quarters, full
  bool On = true;
  int VolumeStep = kVolumeSteps;  // 1 .. kVolumeSteps
  bool Variometer = false;
  platform::SoundMix Mix() const { return {static_cast<float>(VolumeStep) / kVolumeSteps, Variometer}; }
};

}  // namespace game
