#pragma once
// A small line plot drawn with ImGui draw lists: axes with ticks, names and units,
// several series, a legend, marked points and a hover read-out of the nearest point.
// The configurator's plots that show more than one curve use it.
#include <string>
#include <vector>

#include "config/flights/plot_scale.h"

namespace config {

struct PlotMark {
  double X = 0, Y = 0;
  std::string Label;  // UTF-8, drawn beside the ring
};

// Draws at the cursor, `width` x `height` px, and moves the cursor below. The axes are
// fitted to the series; when their values cannot be plotted the frame says so.
void DrawLinePlot(const PlotAxes& axes, const std::vector<PlotSeries>& series, const std::vector<PlotMark>& marks,
                  float width, float height);
// The same with a scale fitted beforehand (the series already thinned to the width,
// for a plot drawn on every frame). A scale that cannot be drawn leaves the frame empty.
void DrawScaledPlot(const PlotAxes& axes, const std::vector<PlotSeries>& series, const std::vector<PlotMark>& marks,
                    const PlotScale& scale, float width, float height);

// Colours for up to four series.
unsigned SeriesColour(int index);

}  // namespace config
