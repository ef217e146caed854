#pragma once
// What the game tells the sound about: how the flight shown now moves, each tick, and
// the moments that make a sound of their own. The sound decides how that sounds; the
// game never names a sample.
#include <cstdint>

namespace platform {

// The aircraft shown this tick. All zero while nothing moves (the start, the result,
// the fly-by): then only the lake's ambience is heard.
struct FlightSound {
  float RunSpeedMs = 0;   // m/s along the platform during the launch run, else 0
  float AirspeedMs = 0;   // m/s while airborne, else 0
  float LoadFactor = 0;   // the wing's lift over the aircraft's weight while airborne
  float ClimbRateMs = 0;  // m/s, upward positive, while airborne
};

enum class SoundCue : uint8_t {
  Splash,   // touchdown; strength: the sink rate in m/s
  Ranked,   // the flight entered the ranking
  NewBest,  // the flight is the ranking's new first
  Click,    // a menu command
};

// The player's choices of how the sound plays.
struct SoundMix {
  float Volume = 1;         // 0 .. 1, applied to everything
  bool Variometer = false;  // a tone that beeps while the aircraft climbs
};

class Sound {
public:
  virtual ~Sound() = default;
  virtual void SetFlight(const FlightSound& flight) = 0;  // once per tick
  virtual void Play(SoundCue cue, float strength = 1) = 0;
  virtual void SetMix(const SoundMix& mix) = 0;
};

}  // namespace platform
