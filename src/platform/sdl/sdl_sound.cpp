#include "platform/sdl/sdl_sound.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>

namespace platform {
namespace {

// Samples per callback: about 23 ms at the mixer's rate, a little over a tick.
constexpr Uint16 kCallbackSamples = 512;

// Runs `change` on the mixer while the audio thread is kept out of it.
template <class Change>
void Locked(SDL_AudioDeviceID device, Change change) {
  SDL_LockAudioDevice(device);
  change();
  SDL_UnlockAudioDevice(device);
}

// The audio libraries print their own complaints on standard error when there is no
// device (ALSA's "cannot find card" lines); a game without sound has nothing to say, so
// standard error is pointed at /dev/null while the device is looked for.
class QuietStandardError {
public:
  QuietStandardError() : Saved_(dup(STDERR_FILENO)) {
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (Saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~QuietStandardError() {
    if (Saved_ < 0) return;
    dup2(Saved_, STDERR_FILENO);
    close(Saved_);
  }
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
  int Saved_;
};

}  // namespace

std::unique_ptr<SdlSound> SdlSound::Open(audio::SoundBank bank, std::string& error) {
  const QuietStandardError quiet;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    error = SDL_GetError();
    return nullptr;
  }
  std::unique_ptr<SdlSound> sound(new SdlSound(std::move(bank)));
  SDL_AudioSpec wanted{};
  wanted.freq = audio::kSampleRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 1;
  wanted.samples = kCallbackSamples;
  wanted.callback = &SdlSound::Fill;
  wanted.userdata = sound.get();
  // No changes allowed: SDL converts our format to the device's itself.
  sound->Device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (sound->Device_ == 0) {
    error = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  SDL_PauseAudioDevice(sound->Device_, 0);
  return sound;
}

SdlSound::~SdlSound() {
  SDL_CloseAudioDevice(Device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSound::Fill(void* self, unsigned char* stream, int bytes) {
  static_cast<SdlSound*>(self)->Mixer_.Render(reinterpret_cast<int16_t*>(stream),
                                              static_cast<size_t>(bytes) / sizeof(int16_t));
}

void SdlSound::SetFlight(const FlightSound& flight) {
  Locked(Device_, [&] { Mixer_.SetFlight(flight); });
}

void SdlSound::Play(SoundCue cue, float strength) {
  Locked(Device_, [&] { Mixer_.Play(cue, strength); });
}

void SdlSound::SetMix(const SoundMix& mix) {
  Locked(Device_, [&] { Mixer_.SetMix(mix); });
}

}  // namespace platform
