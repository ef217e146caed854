#pragma once
// The game's sound files: RIFF WAVE, PCM, one channel, 16 bits, at the mixer's rate.
// Anything else (another layout, a truncated or oversized file) is no clip, and that
// sound is then silent; a player's folder cannot make the reader go out of bounds.
#include <optional>
#include <string_view>
#include <vector>

namespace platform::audio {

inline constexpr int kSampleRate = 22050;                  // Hz, of the files and of the mixed sound
inline constexpr size_t kClipFileLimit = 2 * 1024 * 1024;  // bytes; the longest clip is a few seconds

// Samples scaled to -1 .. 1.
using SoundClip = std::vector<float>;

std::optional<SoundClip> ParseWav(std::string_view bytes);

// The WAV file of these samples (clipped to -1 .. 1), as the asset generator writes
// them: for tests and tools.
std::string WavBytes(const SoundClip& clip);

}  // namespace platform::audio
