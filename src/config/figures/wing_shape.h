#pragma once
// The flat (unbent) wing as the strips lay it out, for drawing it from above and from
// the front. One half is computed; the other is its mirror image.
#include <array>
#include <vector>

#include "config/figures/game_figures.h"

namespace config {

struct PlanPoint {
  double X = 0;  // m, rearward from the reference point (the root's leading edge)
  double Y = 0;  // m, outward from the centre line
};

struct FrontPoint {
  double Y = 0;  // m, outward from the centre line
  double Z = 0;  // m, upward from the root
};

struct StripOutline {
  int Section = 0;
  // Seen from above: inner leading edge, outer leading edge, outer trailing edge,
  // inner trailing edge. Leading edges lie on the swept spanwise line.
  std::array<PlanPoint, 4> Plan{};
  FrontPoint Inner, Outer;  // seen from the front
};

struct WingShape {
  double CenterHalfWidth = 0;  // m
  double RootChord = 0;        // m, of the first strip (the centre part is drawn with it)
  std::vector<StripOutline> Strips;
  double HalfSpan = 0;   // m, outermost point seen from above
  double TipHeight = 0;  // m, of the outermost strip end
};

// Dihedral and sweep add up from strip to strip, each strip turned by its section's
// angles relative to the one inside it.
WingShape ComputeWingShape(const flight::AircraftSpec& spec, const GameFigures& figures);

}  // namespace config
