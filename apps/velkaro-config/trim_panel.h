#pragma once
// The designer's figures of the trimmed glide: trim point, centre-of-gravity range,
// the longitudinal modes, the wing's bending, Reynolds numbers and the spanwise lift,
// each with a tooltip that says what it is and where it is measured.
#include "config/figures/aero_figures.h"
#include "config/figures/trim_figures.h"
#include "flight/aircraft.h"

namespace config {

void DrawTrimPanel(const flight::AircraftSpec& spec, const AeroFigures& aero, const TrimFigures& trim, float width);

}  // namespace config
