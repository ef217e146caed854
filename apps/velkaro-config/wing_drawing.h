#pragma once
// The wing drawn with ImGui draw lists: seen from above (both halves, sections, taper,
// sweep, the tail, centre of gravity and aerodynamic centre) and from the front
// (dihedral), at the current cursor position.
#include "config/figures/game_figures.h"
#include "config/figures/wing_shape.h"

namespace config {

// Colour of a section in the drawings and tables.
unsigned SectionColour(int section, int alpha = 255);

// Both views, one above the other, `width` pixels wide. The front view can stretch
// heights so small dihedral angles show.
void DrawWingViews(const flight::AircraftSpec& spec, const GameFigures& figures, const WingShape& shape, float width,
                   float heightExaggeration);

// Height over distance of a test flight, `size` pixels.
void DrawFlightPlot(const float* x, const float* height, int count, float width, float plotHeight);

// Distance over constant tail setting of a sweep; the best point is marked.
struct SweepPlotPoint {
  float Trim, Distance;
  bool Valid;
};
void DrawSweepPlot(const SweepPlotPoint* points, int count, int best, float width, float plotHeight);

}  // namespace config
