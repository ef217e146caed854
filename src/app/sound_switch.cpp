#include "app/sound_switch.h"

#include "platform/services.h"

namespace app {

SoundSwitch::~SoundSwitch() { Close(); }

void SoundSwitch::Close() {
  if (platform::Os().sound == Device_.get()) platform::Os().sound = nullptr;
  Device_.reset();
}

void SoundSwitch::Follow(const game::SoundOptions& options) {
  if (!options.On) {
    Close();
    Tried_ = false;
    return;
  }
  const platform::SoundMix mix = options.Mix();
  if (!Tried_) {
    Tried_ = true;
    Device_ = Open_();
    if (!Device_) return;
    Device_->SetMix(mix);
    Mix_ = mix;
    platform::Os().sound = Device_.get();
  }
  if (Device_ && (mix.Volume != Mix_.Volume || mix.Variometer != Mix_.Variometer)) {
    Device_->SetMix(mix);
    Mix_ = mix;
  }
}

}  // namespace app
