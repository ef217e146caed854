#pragma once
// A long series made short enough to draw on every frame: a flight of 100,000 rows has
// hundreds of points per pixel column of its plot, which add vertices, not detail.
#include <cstddef>
#include <span>
#include <vector>

namespace config {

inline constexpr size_t kThinnedPointsPerColumn = 4;

struct ThinnedPoints {
  std::vector<double> X, Y;
};

// The points of a series for a plot `columns` pixels wide whose x axis runs from x0 to
// x1. Of each run of consecutive points in one pixel column only the first, the lowest,
// the highest and the last are kept, in their order, so the line through them covers
// the pixels the line through all of them does. Points that are not finite are left
// out. Whatever the series, at most kThinnedPointsPerColumn * columns points are kept:
// a series whose x goes back and forth across the columns more often than that is
// sampled evenly, its first and last point kept.
ThinnedPoints ThinToColumns(std::span<const double> x, std::span<const double> y, double x0, double x1, int columns);

}  // namespace config
