#pragma once
// A flight's height over distance as an SVG drawing placed inline in the flight page:
// the flight's path over the plot area, ticks in metres on both axes and the water line
// at 0 m. Plain markup only: no script, no style attribute, no reference outside it.
#include <string>
#include <string_view>
#include <vector>

#include "league/verification.h"

namespace league {

// The drawing, with `title` (plain text, escaped here) as its accessible name; a short
// paragraph instead when the profile has no point to draw.
std::string ProfileSvg(const std::vector<ProfilePoint>& profile, std::string_view title);

}  // namespace league
