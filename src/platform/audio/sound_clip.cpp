#include "platform/audio/sound_clip.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace platform::audio {
namespace {

constexpr uint16_t kPcmFormat = 1;
constexpr uint16_t kChannels = 1;
constexpr uint16_t kBitsPerSample = 16;
constexpr uint16_t kBytesPerSample = kBitsPerSample / 8;
constexpr size_t kChunkHeaderBytes = 8;  // id and size
constexpr size_t kRiffHeaderBytes = 12;  // "RIFF", size, "WAVE"
constexpr size_t kFmtMinBytes = 16;
constexpr float kFullScale = 32768.0f;

uint32_t Le32(std::string_view b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
         uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t Le16(std::string_view b, size_t at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
}
void Put16(std::string& out, uint16_t v) {
  out += char(v & 0xFF);
  out += char(v >> 8);
}

bool FormatIsOurs(std::string_view fmt) {
  return fmt.size() >= kFmtMinBytes && Le16(fmt, 0) == kPcmFormat && Le16(fmt, 2) == kChannels &&
         Le32(fmt, 4) == uint32_t(kSampleRate) && Le16(fmt, 14) == kBitsPerSample;
}

}  // namespace

std::optional<SoundClip> ParseWav(std::string_view bytes) {
  if (bytes.size() < kRiffHeaderBytes || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") return {};
  bool formatSeen = false;
  size_t at = kRiffHeaderBytes;
  // Chunks in any order; the data must come after the format.
  while (bytes.size() - at >= kChunkHeaderBytes) {
    const std::string_view id = bytes.substr(at, 4);
    const uint32_t size = Le32(bytes, at + 4);
    at += kChunkHeaderBytes;
    if (size > bytes.size() - at) return {};
    const std::string_view body = bytes.substr(at, size);
    if (id == "fmt ") {
      if (!FormatIsOurs(body)) return {};
      formatSeen = true;
    } else if (id == "data") {
      if (!formatSeen || size % kBytesPerSample != 0) return {};
      SoundClip clip(size / kBytesPerSample);
      for (size_t i = 0; i < clip.size(); ++i) {
        clip[i] = float(int16_t(Le16(body, i * kBytesPerSample))) / kFullScale;
      }
      return clip;
    }
    at += size + (size & 1);  // chunks are padded to an even size
    if (at > bytes.size()) return {};
  }
  return {};
}

std::string WavBytes(const SoundClip& clip) {
  const uint32_t dataBytes = uint32_t(clip.size() * kBytesPerSample);
  std::string out = "RIFF";
  Put32(out, uint32_t(4 + kChunkHeaderBytes + kFmtMinBytes + kChunkHeaderBytes + dataBytes));
  out += "WAVEfmt ";
  Put32(out, kFmtMinBytes);
  Put16(out, kPcmFormat);
  Put16(out, kChannels);
  Put32(out, kSampleRate);
  Put32(out, kSampleRate * kBytesPerSample);  // bytes per second
  Put16(out, kBytesPerSample);                // block align
  Put16(out, kBitsPerSample);
  out += "data";
  Put32(out, dataBytes);
  for (float s : clip) {
    const float scaled = std::round(std::clamp(s, -1.0f, 1.0f) * (kFullScale - 1));
    Put16(out, uint16_t(int16_t(scaled)));
  }
  return out;
}

}  // namespace platform::audio
