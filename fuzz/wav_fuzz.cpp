// Any bytes as one of the game's sound files; a clip that is read is then played
// through the mixer as every sound at once, at rates that step through it unevenly.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/audio/mixer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto clip = platform::audio::ParseWav(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!clip) return 0;
  for (float s : *clip) {
    if (!(s >= -1.0f && s < 1.0f)) __builtin_trap();
  }
  const platform::audio::SoundBank bank{*clip, *clip, *clip, *clip, *clip, *clip, *clip, *clip};
  platform::audio::Mixer mixer(bank);
  mixer.SetMix({1, true});
  platform::FlightSound flight;
  flight.RunSpeedMs = 7.3f;
  flight.AirspeedMs = 13;
  flight.LoadFactor = 3;
  flight.ClimbRateMs = 2;
  mixer.SetFlight(flight);
  for (platform::SoundCue cue : {platform::SoundCue::Splash, platform::SoundCue::Ranked, platform::SoundCue::NewBest,
                                 platform::SoundCue::Click}) {
    mixer.Play(cue, 9);
  }
  std::vector<int16_t> out(4096);
  mixer.Render(out.data(), out.size());
  return 0;
}
