#pragma once
// Where everything the game draws over the scene stands, in pixels of the picture whose
// size the boot file gives (1024 x 768 unless changed). The HUD's places live here only,
// so two lines never meet by accident: each place says what it sits beside.
#include <cstdint>

namespace game::hud {

// A text line: its left and top edge, its widest extent and the font's height (px).
struct TextPlace {
  int16_t Left;
  int16_t Top;
  int16_t MaxWidth;
  int16_t FontHeight;
};

// The distance in picture digits: six cells.
inline constexpr int8_t kResultDigits = 6;
// After a launch, large cells from the top left corner.
inline constexpr int16_t kLargeCellWidth = 100, kLargeCellHeight = 200;
// Over the demo and the replay, small cells at the top right, this far from the right edge.
inline constexpr int16_t kSmallCellWidth = 50, kSmallCellHeight = 100, kSmallCellsFromRight = 350;

// The frame counter at the top left, the wind at the top right (its left edge this far
// from the right edge).
inline constexpr TextPlace kFpsLine{0, 0, 200, 16};
inline constexpr int16_t kWindWidth = 180, kWindFontHeight = 32;

// Beside the large result digits (six cells of 100 px from the left), level with their
// middle, up to the window's right edge.
inline constexpr TextPlace kCoachLine{610, 84, 420, 32};
// The ghost's lead or lag, aligned under the coach line: above the tail gauge (its top
// is at 42% of the height), clear of the wind and fps lines at the top.
inline constexpr TextPlace kGhostLine{kCoachLine.Left, kCoachLine.Top + 40, 414, 24};

// The league's word on the latest flight, under the replay's small digits.
inline constexpr int16_t kLeagueNoteGap = 8, kLeagueNoteWidth = 340, kLeagueNoteFontHeight = 24;

// The tail gauge: a picture of 32 x 256 px at these fractions of the window, whose
// marker moves down 20 px per degree as the tail rises.
inline constexpr int16_t kGaugeWidth = 32, kGaugeHeight = 256;
inline constexpr double kGaugeXFraction = 0.89;        // of the window width
inline constexpr double kGaugeYFraction = 0.42;        // of the window height
inline constexpr double kGaugePixelsPerDegree = 20.0;  // px per degree of tail setting

// The ranking list in the upper left: ten lines of a fixed-pitch font (so the distances
// line up), under the demo's and the replay's small digits' row.
inline constexpr int kListLeft = 10, kListRight = 522;  // px
inline constexpr int kListTop = 32, kListLineHeight = 32;
inline constexpr int kListFontHeight = 24;

// The status line at the bottom-left corner (its top from the picture's height), as
// small as the fps line.
inline constexpr int16_t kStatusWidth = 480, kStatusFontHeight = 16;

}  // namespace game::hud
