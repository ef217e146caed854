#include "platform/audio/sound_bank.h"

#include <string>

#include "platform/io/files.h"

namespace platform::audio {
namespace {

SoundClip LoadClip(const char* fileName) {
  const std::optional<std::string> bytes = ReadFilePrefix(std::string("sound\\") + fileName, kClipFileLimit);
  if (!bytes) return {};
  return ParseWav(*bytes).value_or(SoundClip{});
}

}  // namespace

SoundBank LoadSoundBank() {
  SoundBank bank;
  bank.Ambience = LoadClip("ambience.wav");
  bank.Wind = LoadClip("wind.wav");
  bank.Run = LoadClip("run.wav");
  bank.Creak = LoadClip("creak.wav");
  bank.Splash = LoadClip("splash.wav");
  bank.Ranked = LoadClip("ranked.wav");
  bank.NewBest = LoadClip("best.wav");
  bank.Click = LoadClip("click.wav");
  return bank;
}

}  // namespace platform::audio
