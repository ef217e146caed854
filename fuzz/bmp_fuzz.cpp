// Any bytes as a BMP picture, with and without the game's colour key. The fuzzer
// carries its own copy of the stb_image decoder, built with this build's sanitizers
// and coverage, so that faults inside the decoder show too; it takes the place of
// the shared library's copy in this program.
#include <cstddef>
#include <cstdint>

#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Weverything"
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb/stb_image.h>  // Debian's libstb-dev path, so no include flag is needed
#pragma clang diagnostic pop

#include "platform/gfx/graphics_resources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr uint32_t kGreenKey = 0xFF00FF00;
  const auto plain = platform::DecodeBmp(data, size);
  const auto keyed = platform::DecodeBmp(data, size, kGreenKey);
  // Keying only ever turns the key colour into transparent black.
  if (plain.has_value() != keyed.has_value()) __builtin_trap();
  if (plain) {
    if (plain->Pixels.size() != static_cast<size_t>(plain->Width) * static_cast<size_t>(plain->Height))
      __builtin_trap();
    for (size_t i = 0; i < plain->Pixels.size(); ++i) {
      const uint32_t expected = plain->Pixels[i] == kGreenKey ? 0 : plain->Pixels[i];
      if (keyed->Pixels[i] != expected) __builtin_trap();
    }
  }
  return 0;
}
