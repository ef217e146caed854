#include "platform/gfx/picture_fit.h"

#include <algorithm>
#include <cstdint>

namespace platform {

PixelRect LetterboxRect(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight) {
  const PixelRect whole{0, 0, std::max(screenWidth, 0), std::max(screenHeight, 0)};
  if (pictureWidth <= 0 || pictureHeight <= 0 || screenWidth <= 0 || screenHeight <= 0) return whole;
  // Products in 64 bits: sizes up to INT_MAX do not overflow.
  const int64_t pw = pictureWidth, ph = pictureHeight, sw = screenWidth, sh = screenHeight;
  if (sw * ph > sh * pw) {
    // The screen is wider than the picture: full height, bars left and right.
    const int width = static_cast<int>(std::clamp<int64_t>((pw * sh * 2 + ph) / (ph * 2), 1, sw));  // rounded
    const int left = (screenWidth - width) / 2;
    return {left, 0, left + width, screenHeight};
  }
  if (sw * ph < sh * pw) {
    // Taller: full width, bars above and below.
    const int height = static_cast<int>(std::clamp<int64_t>((ph * sw * 2 + pw) / (pw * 2), 1, sh));
    const int top = (screenHeight - height) / 2;
    return {0, top, screenWidth, top + height};
  }
  return whole;
}

}  // namespace platform
