#pragma once
// The designer's panel of the configurator's screen: per-section figures, mean
// aerodynamic chord, wing loading, stability and stall, and the glide polar, which is
// flown one glide per frame so the window stays responsive.
#include <optional>
#include <string>

#include "config/figures/aero_figures.h"
#include "config/figures/curve_export.h"
#include "config/figures/glide_polar.h"

namespace config {

struct AeroPanelState {
  double PolarFrom = kPolarStartRange.From;  // deg of tail setting
  double PolarTo = kPolarStartRange.To;
  double PolarStep = kPolarStartRange.Step;
  std::optional<GlidePolar> Polar;
  bool PolarRunning = false;
  std::string PolarFor;  // the design text the polar was started for
};

// Flies the next glide of a running polar (call once a frame).
void AdvancePolar(AeroPanelState& state);
bool PolarBusy(const AeroPanelState& state);

// Draws the panel for the design `spec` whose file text is `designText`.
void DrawAeroPanel(AeroPanelState& state, const flight::AircraftSpec& spec, const std::string& designText,
                   const AeroFigures& figures, float width);

}  // namespace config
