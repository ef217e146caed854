#pragma once
// The recorded sounds the mixer plays, read from the game's "sound" folder. A file that
// is missing or not one of ours leaves its sound silent; the rest still play.
#include "platform/audio/sound_clip.h"

namespace platform::audio {

struct SoundBank {
  SoundClip Ambience;  // the lake, looped quietly under everything
  SoundClip Wind;      // broadband noise, looped; the mixer filters it by airspeed
  SoundClip Run;       // footsteps on the wooden platform, looped at the run's pace
  SoundClip Creak;     // the wing's spar under a high load
  SoundClip Splash;    // touchdown
  SoundClip Ranked;    // chime: the flight entered the ranking
  SoundClip NewBest;   // chime: the ranking's new first
  SoundClip Click;     // a menu command
};

SoundBank LoadSoundBank();

}  // namespace platform::audio
