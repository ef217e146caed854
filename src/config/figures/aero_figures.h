#pragma once
// The figures an aircraft designer reads off a design, worked out from the game's own
// formulas: each section's area and tip chord, the mean aerodynamic chord and where it
// lies, the wing loading, the tail volume, the neutral point and static margin of the
// game's pitch model, and the stall speed at the wing section's lift limit.
#include <array>

#include "config/figures/game_figures.h"
#include "config/figures/wing_shape.h"

namespace config {

struct SectionFigures {
  int Strips = 0;        // strips the game gives the section (one half)
  double Area = 0;       // m^2, one half, sum of its strips
  double RootChord = 0;  // m
  double TipChord = 0;   // m, root chord * taper
  // The chords the game flies: its strips' chord at the section's inner end and at its
  // outer end (they differ from the file's when strips are cut or a section is short).
  double FlownRootChord = 0;  // m
  double FlownTipChord = 0;   // m
};

struct AeroFigures {
  std::array<SectionFigures, kSectionCount> Sections{};
  // Mean aerodynamic chord of the flat strip wing (integral of c^2 over integral of c
  // along the span, the centre part having no strips), its spanwise station from the
  // centre line and the x of its leading edge (rearward, sweep included).
  double Mac = 0;            // m
  double MacY = 0;           // m
  double MacLeadingX = 0;    // m
  double WingLoading = 0;    // N/m^2, Mass * g / WingArea
  double WingLoadingKg = 0;  // kg/m^2
  double TailVolume = 0;     // TailArea * tail arm / (WingArea * WingChord)
  // Lift-curve slopes of the game's whole-wing and tail formulas away from the water
  // (per rad) and the downwash gradient the wing's lift sends to the tail.
  double WingLiftSlope = 0;
  double TailLiftSlope = 0;
  double DownwashGradient = 0;
  double NeutralPoint = 0;      // m, x where the pitching moment stops changing with alpha
  double StaticMargin = 0;      // fraction of WingChord, (NeutralPoint - CgPosition) / WingChord; > 0 stable
  bool StabilityKnown = false;  // wing and tail areas and lift slopes allow the figures
  // Centre-of-gravity range: the aft limit is the neutral point; the forward limit is
  // the centre of gravity at which the tail at its least lift coefficient (ClLower,
  // pushing down) just holds the wing at its upper limit ClUpper in the game's pitching
  // moment TailArm Lt + sqrt(Lt^2 + Lw^2) WingArm + Cm0 q S c = 0.
  double ForwardCgLimit = 0;  // m, rearward from the reference point
  bool ForwardCgKnown = false;
  double StallSpeed = 0;  // m/s, sqrt(2 m g / (rho S ClUpper)); 0 when not defined
};

AeroFigures ComputeAeroFigures(const flight::AircraftSpec& spec, const GameFigures& figures, const WingShape& shape);
inline AeroFigures ComputeAeroFigures(const flight::AircraftSpec& spec) {
  const GameFigures f = ComputeFigures(spec);
  return ComputeAeroFigures(spec, f, ComputeWingShape(spec, f));
}

}  // namespace config
