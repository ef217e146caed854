#pragma once
// Warnings about values the game flies without complaint but that no human-powered
// glider has: a span of 3032 m, a mass of 10,090 kg, a wing span that disagrees with
// its sections, a chord that jumps at a section joint. They never refuse a save; they
// catch typing slips. Each names the file line (and section) it is about.
#include <string>
#include <vector>

#include "config/design/design_warning.h"
#include "config/figures/game_figures.h"

namespace config {

// The plausible range of one value of the file.
struct PlausibleRange {
  int Line;               // file line
  double Low, High;       // inclusive, in the line's unit
  bool LeaveNonPositive;  // zero and below already have a warning of their own
};

// The ranges, one per checked line (line 46 stands for the bending stiffness EI of
// lines 46 and 47 together, in N m^2).
const std::vector<PlausibleRange>& PlausibleRanges();

// Relative mismatch tolerated between WingSpan and the span of the strips with the
// centre part, and between a section's tip chord and the next section's root chord.
inline constexpr double kSpanTolerance = 0.05;
inline constexpr double kChordJumpTolerance = 0.10;
// Bending stiffness EI (N m^2) of a section from its two factors.
double SectionBendingStiffness(const flight::AircraftSpec& spec, int section);

void AddPlausibilityWarnings(const flight::AircraftSpec& spec, const GameFigures& figures,
                             std::vector<DesignWarning>& out);

// Japanese (UTF-8) for the plausibility kinds.
std::string DescribePlausibility(const DesignWarning& warning);

}  // namespace config
