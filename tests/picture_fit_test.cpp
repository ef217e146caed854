// Where the picture lands on a screen of another size: black bars on the sides of a
// wider screen, above and below on a taller one, none when the aspects agree.
#include "platform/gfx/picture_fit.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using platform::LetterboxRect;
using platform::PixelRect;

TEST(LetterboxRect, EqualAspectFillsTheScreen) {
  EXPECT_EQ(LetterboxRect(1024, 768, 1024, 768), (PixelRect{0, 0, 1024, 768}));
  EXPECT_EQ(LetterboxRect(1024, 768, 1600, 1200), (PixelRect{0, 0, 1600, 1200}));
  EXPECT_EQ(LetterboxRect(1024, 768, 512, 384), (PixelRect{0, 0, 512, 384}));
}

TEST(LetterboxRect, TallerScreenGetsBarsAboveAndBelow) {
  // 1024x768 on 1280x1024: scaled by 1.25 to 1280x960, 32 px bars.
  EXPECT_EQ(LetterboxRect(1024, 768, 1280, 1024), (PixelRect{0, 32, 1280, 992}));
  // A square picture on a portrait screen.
  EXPECT_EQ(LetterboxRect(100, 100, 100, 300), (PixelRect{0, 100, 100, 200}));
}

TEST(LetterboxRect, WiderScreenGetsBarsLeftAndRight) {
  // 1024x768 on 1920x1080: 1440x1080, 240 px bars.
  EXPECT_EQ(LetterboxRect(1024, 768, 1920, 1080), (PixelRect{240, 0, 1680, 1080}));
  EXPECT_EQ(LetterboxRect(100, 100, 300, 100), (PixelRect{100, 0, 200, 100}));
}

TEST(LetterboxRect, RoundsToTheNearestPixelAndPutsTheOddPixelRightOrBelow) {
  // 160x120 on 400x200: 266.67 px wide, rounded up; 133 px left, 134 right.
  EXPECT_EQ(LetterboxRect(160, 120, 400, 200), (PixelRect{66, 0, 333, 200}));
  // 3x1 on 10x10: 3.33 px high, rounded down; 3 above, 4 below.
  EXPECT_EQ(LetterboxRect(3, 1, 10, 10), (PixelRect{0, 3, 10, 6}));
}

TEST(LetterboxRect, StaysInsideTheScreen) {
  for (int sw = 1; sw <= 40; ++sw) {
    for (int sh = 1; sh <= 40; ++sh) {
      const PixelRect r = LetterboxRect(37, 11, sw, sh);
      EXPECT_GE(r.Left, 0);
      EXPECT_GE(r.Top, 0);
      EXPECT_GE(r.Right - r.Left, 1);
      EXPECT_GE(r.Bottom - r.Top, 1);
      EXPECT_LE(r.Right, sw);
      EXPECT_LE(r.Bottom, sh);
      // Centred: the bars differ by at most one pixel, the extra one right or below.
      const int rightBar = sw - r.Right, bottomBar = sh - r.Bottom;
      EXPECT_TRUE(rightBar == r.Left || rightBar == r.Left + 1) << sw << "x" << sh;
      EXPECT_TRUE(bottomBar == r.Top || bottomBar == r.Top + 1) << sw << "x" << sh;
      EXPECT_TRUE(r.Left == 0 || r.Top == 0) << "bars on one pair of sides only";
    }
  }
}

TEST(LetterboxRect, HugeSizesDoNotOverflow) {
  EXPECT_EQ(LetterboxRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX / 2),
            (PixelRect{(INT_MAX - INT_MAX / 2) / 2, 0, (INT_MAX - INT_MAX / 2) / 2 + INT_MAX / 2, INT_MAX / 2}));
}

TEST(LetterboxRect, NothingToShowGivesTheWholeScreen) {
  EXPECT_EQ(LetterboxRect(0, 768, 1280, 1024), (PixelRect{0, 0, 1280, 1024}));
  EXPECT_EQ(LetterboxRect(1024, -1, 1280, 1024), (PixelRect{0, 0, 1280, 1024}));
  EXPECT_EQ(LetterboxRect(1024, 768, 0, 0), (PixelRect{0, 0, 0, 0}));
}

}  // namespace
