#pragma once
// The mixer on the system's audio device (SDL's audio, on its own thread).
#include <memory>
#include <string>

#include "platform/audio/mixer.h"
#include "platform/sound.h"

namespace platform {

class SdlSound final : public Sound {
public:
  // Opens the default audio device and starts it with the game's sounds; none when no
  // device can be opened (the game then runs silent), with the reason in `error`.
  static std::unique_ptr<SdlSound> Open(audio::SoundBank bank, std::string& error);
  ~SdlSound() override;
  SdlSound(const SdlSound&) = delete;
  SdlSound& operator=(const SdlSound&) = delete;

  void SetFlight(const FlightSound& flight) override;
  void Play(SoundCue cue, float strength = 1) override;
  void SetMix(const SoundMix& mix) override;

private:
  explicit SdlSound(audio::SoundBank bank) : Mixer_(std::move(bank)) {}
  static void Fill(void* self, unsigned char* stream, int bytes);

  audio::Mixer Mixer_;
  unsigned Device_ = 0;  // SDL_AudioDeviceID
};

}  // namespace platform
