#include "config/flights/plot_scale.h"

#include <algorithm>
#include <cmath>

namespace config {
namespace {

constexpr double kRangeMargin = 0.05;  // each end of an axis lies this share of its values' width beyond them
// A flat line (one value) is drawn on an axis of width 1, or of this share of its value
// when that is wider, so a flat line of large values still has distinct ticks.
constexpr double kFlatWidthShare = 1e-3;
// The least width of an axis as a share of the size of its values. A point is placed at
// (x - lo) / width of the plot; x - lo is off by up to |x| * 2.2e-16, which at this
// width is 2.2e-4 of the plot: under a pixel of any plot on a screen. Narrower ranges
// would draw rounding noise, and their ticks could not be told apart.
constexpr double kMinRelativeWidth = 1e-12;

// The axis from lo to hi as given, with its ticks, or its problem.
AxisScale AxisBetween(double lo, double hi) {
  AxisScale axis;
  axis.Lo = lo;
  axis.Hi = hi;
  const double width = hi - lo;
  if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(width)) {
    axis.Problem = AxisProblem::TooWide;
    return axis;
  }
  const double step = NiceTickStep(width);
  if (!(step > 0) || width < std::max(std::fabs(lo), std::fabs(hi)) * kMinRelativeWidth) {
    axis.Problem = AxisProblem::TooFine;
    return axis;
  }
  // Each tick is a whole multiple of the step, never a running sum, so rounding cannot
  // hold the ticks in place (the width check above keeps the multiples far below 2^53).
  AxisTicks& ticks = axis.Ticks;
  const double first = std::ceil(lo / step);
  for (size_t i = 0; i <= kMaxAxisTicks && ticks.Count < kMaxAxisTicks; ++i) {
    const double tick = (first + static_cast<double>(i)) * step;
    if (tick > hi) break;
    if (tick < lo) continue;                               // a multiple rounded to just below the end
    ticks.Values[ticks.Count++] = tick == 0 ? 0.0 : tick;  // 0, not -0, as a label
  }
  return axis;
}

}  // namespace

void AddPoints(PointBounds& b, std::span<const double> x, std::span<const double> y) {
  const size_t count = std::min(x.size(), y.size());
  for (size_t i = 0; i < count; ++i) {
    if (!std::isfinite(x[i]) || !std::isfinite(y[i])) continue;
    b.X0 = b.Any ? std::min(b.X0, x[i]) : x[i];
    b.X1 = b.Any ? std::max(b.X1, x[i]) : x[i];
    b.Y0 = b.Any ? std::min(b.Y0, y[i]) : y[i];
    b.Y1 = b.Any ? std::max(b.Y1, y[i]) : y[i];
    b.Any = true;
  }
}

double NiceTickStep(double span) {
  constexpr double kTargetTicks = 5;
  if (!(span > 0) || !std::isfinite(span)) return 0;
  const double raw = span / kTargetTicks;
  if (!(raw > 0)) return 0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0}) {
    if (raw <= m * power) return m * power;
  }
  return 10 * power;
}

AxisScale FitAxis(double lo, double hi) {
  if (!(hi > lo)) hi = lo + std::max(1.0, std::fabs(lo) * kFlatWidthShare);
  const double margin = (hi - lo) * kRangeMargin;
  return AxisBetween(lo - margin, hi + margin);
}

PlotScale FitScale(const PointBounds& b) {
  if (!b.Any) return {AxisBetween(0, 1), AxisBetween(0, 1)};
  return {FitAxis(b.X0, b.X1), FitAxis(b.Y0, b.Y1)};
}

PlotScale FitScale(const std::vector<PlotSeries>& series) {
  PointBounds bounds;
  for (const PlotSeries& s : series) AddPoints(bounds, s.X, s.Y);
  return FitScale(bounds);
}

}  // namespace config
