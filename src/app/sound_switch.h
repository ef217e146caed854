#pragma once
// The sound device as the player's options want it: open while the sound is on (and
// installed as the platform's sound), closed while it is off, so a game with the sound
// off never touches the system's audio. A device that cannot be opened leaves the game
// silent until the option is turned off and on again.
#include <functional>
#include <memory>

#include "game/flight_sound.h"
#include "platform/sound.h"

namespace app {

class SoundSwitch {
public:
  // Opens the device with the game's sounds; none when it cannot.
  using Opener = std::function<std::unique_ptr<platform::Sound>()>;
  explicit SoundSwitch(Opener open) : Open_(std::move(open)) {}
  ~SoundSwitch();
  SoundSwitch(const SoundSwitch&) = delete;
  SoundSwitch& operator=(const SoundSwitch&) = delete;

  // Brings the device and its mix in line with the options; cheap when nothing changed.
  void Follow(const game::SoundOptions& options);

private:
  void Close();

  Opener Open_;
  std::unique_ptr<platform::Sound> Device_;
  bool Tried_ = false;  // since the option was last turned on
  platform::SoundMix Mix_;
};

}  // namespace app
