#pragma once
// The numbers of a line plot, without a screen: the series it draws, the range of each
// axis and its ticks. Any values are accepted: points that are not finite are left
// out, and a range a plot cannot show (wider than a double holds, or finer than its
// digits tell apart) is refused rather than drawn, so the ticks are always few, finite,
// distinct and inside the axis.
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace config {

struct PlotSeries {
  std::string Name;  // UTF-8, shown in the legend and the read-out
  std::vector<double> X = {}, Y = {};
  unsigned Colour = 0;   // IM_COL32
  bool Markers = false;  // a dot at every point
};

struct PlotAxes {
  std::string XName, XUnit, YName, YUnit;  // UTF-8
};

struct PlotRange {
  double X0 = 0, X1 = 1, Y0 = 0, Y1 = 1;
};

// The least and greatest finite values of the points whose x and y are both finite.
struct PointBounds {
  double X0 = 0, X1 = 0, Y0 = 0, Y1 = 0;
  bool Any = false;  // false when no point is finite
};
void AddPoints(PointBounds& bounds, std::span<const double> x, std::span<const double> y);

// Ticks on one axis: every multiple of a 1, 2 or 5 times a power of ten inside it.
// The steps give at most six; the array bounds them whatever the range.
inline constexpr size_t kMaxAxisTicks = 8;
struct AxisTicks {
  std::array<double, kMaxAxisTicks> Values = {};
  size_t Count = 0;
};

enum class AxisProblem {
  None,
  TooWide,  // the range, or its width, is beyond the largest double
  TooFine,  // the values differ in fewer digits than the plot needs to place them
};

struct AxisScale {
  double Lo = 0, Hi = 1;  // the axis's ends: the values' range widened a little
  AxisTicks Ticks;
  AxisProblem Problem = AxisProblem::None;  // when set, the axis cannot be drawn
};

// The axis of values from `lo` to `hi`. A range of zero width (one value) is widened
// to show a flat line; lo and hi must be finite.
AxisScale FitAxis(double lo, double hi);

struct PlotScale {
  AxisScale X, Y;
  bool Drawable() const { return X.Problem == AxisProblem::None && Y.Problem == AxisProblem::None; }
  PlotRange Range() const { return {X.Lo, X.Hi, Y.Lo, Y.Hi}; }
};
// Axes that hold every finite point; with no finite point, 0 to 1 on both.
PlotScale FitScale(const PointBounds& bounds);
PlotScale FitScale(const std::vector<PlotSeries>& series);

// A tick spacing of 1, 2 or 5 times a power of ten that gives about five ticks; 0 when
// there is none (a span that is not positive and finite, or a spacing below the
// smallest double).
double NiceTickStep(double span);

}  // namespace config
