#pragma once
// Where a picture rendered at a fixed size is shown on a screen or window of another
// size. Rectangles count pixels from the top-left corner of the screen, right and
// bottom edges excluded.
#include "platform/gfx/graphics_types.h"

namespace platform {

// The largest rectangle with the picture's aspect that fits the screen, centred: black
// bars fill the rest left and right (a wider screen) or above and below (a taller
// one). Sizes are rounded to whole pixels; an odd leftover puts the extra bar pixel
// on the right or at the bottom. Nothing to show (an empty picture or screen): the
// whole screen.
PixelRect LetterboxRect(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight);

}  // namespace platform
