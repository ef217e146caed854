#pragma once
// A small line plot drawn with ImGui draw lists: axes with ticks, names and units,
// several series, a legend, marked points and a hover read-out of the nearest point.
// The configurator's plots that show more than one curve use it.
#include <string>
#include <vector>

namespace config {

struct PlotSeries {
  std::string Name;  // UTF-8, shown in the legend and the read-out
  std::vector<double> X = {}, Y = {};
  unsigned Colour = 0;   // IM_COL32
  bool Markers = false;  // a dot at every point
};

struct PlotMark {
  double X = 0, Y = 0;
  std::string Label;  // UTF-8, drawn beside the ring
};

struct PlotAxes {
  std::string XName, XUnit, YName, YUnit;  // UTF-8
};

// Value ranges that hold every finite point, widened a little; a range of zero width
// becomes one of width 1.
struct PlotRange {
  double X0 = 0, X1 = 1, Y0 = 0, Y1 = 1;
};
PlotRange FitRange(const std::vector<PlotSeries>& series);

// A tick spacing of 1, 2 or 5 times a power of ten that gives about five ticks.
double NiceTickStep(double span);

// Draws at the cursor, `width` x `height` px, and moves the cursor below.
void DrawLinePlot(const PlotAxes& axes, const std::vector<PlotSeries>& series, const std::vector<PlotMark>& marks,
                  float width, float height);

// Colours for up to four series.
unsigned SeriesColour(int index);

}  // namespace config
