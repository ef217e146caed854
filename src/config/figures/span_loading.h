#pragma once
// How close a spanwise lift distribution comes to the elliptic one, by lifting-line
// theory: the loading of one half is fitted with the odd terms of the sine series in
// the span angle (y = b/2 cos t), and the span efficiency is 1 / (1 + sum n (A_n/A_1)^2).
// The game's own drag takes each strip's induced drag from its lift coefficient alone,
// so it does not charge a design for a poor distribution; this figure does.
#include <span>

namespace config {

struct SpanStation {
  double Y = 0;            // m, from the centre line to the middle of a strip (one half)
  double LiftPerSpan = 0;  // N/m
  double Width = 0;        // m, of the strip
};

// Odd sine terms fitted (n = 1, 3, ..., 2 kSpanTerms - 1).
inline constexpr int kSpanTerms = 5;

// The efficiency of the distribution over a half span of `halfSpan` metres; 0 when it
// cannot be fitted (too few stations, no lift, stations outside the span).
double SpanEfficiency(std::span<const SpanStation> stations, double halfSpan);

}  // namespace config
