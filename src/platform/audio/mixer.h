#pragma once
// Mixes the game's sound from what the game says happens: the lake's ambience always,
// the run along the platform at its pace, the wind filtered and raised with the
// airspeed, the spar creaking under high loads, the variometer (when chosen), and the
// one-shot sounds. Render runs on the audio thread and allocates nothing; the other
// calls come from the game's thread and must not run at the same time as Render (the
// device's lock keeps them apart).
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/audio/sound_bank.h"
#include "platform/sound.h"

namespace platform::audio {

class Mixer final : public Sound {
public:
  explicit Mixer(SoundBank bank);

  void SetFlight(const FlightSound& flight) override;
  void Play(SoundCue cue, float strength = 1) override;
  void SetMix(const SoundMix& mix) override;

  // The next `count` samples, mono at kSampleRate.
  void Render(int16_t* out, size_t count);

private:
  // A clip playing once, at a rate (1: as recorded) and a gain.
  struct Voice {
    const SoundClip* Clip = nullptr;
    double Position = 0;  // samples into the clip
    float Rate = 1;
    float Gain = 0;
  };
  // A clip playing round and round at a rate that may change.
  struct Loop {
    double Position = 0;
    float Sample(const SoundClip& clip, float rate);
  };
  // A value eased towards its target sample by sample, so changes made once a tick
  // never click.
  struct Eased {
    float Now = 0;
    float Target = 0;
    float Next();
  };

  void Start(const SoundClip& clip, float gain, float rate = 1);
  float MixSample();
  float VariometerSample();

  SoundBank Bank_;
  std::array<Voice, 8> Voices_{};
  Loop AmbienceLoop_, WindLoop_, RunLoop_;
  Eased Volume_{1, 1};
  Eased WindGain_, WindCutoff_, RunGain_, RunRate_, VarioGain_;
  float WindLow1_ = 0, WindLow2_ = 0;  // the wind's two low-pass stages
  float VarioPitchHz_ = 0;
  float VarioBeepHz_ = 0;
  double VarioPhase_ = 0, VarioBeepPhase_ = 0;  // turns
  bool Variometer_ = false;
  int TicksSinceCreak_ = 0;
};

}  // namespace platform::audio
