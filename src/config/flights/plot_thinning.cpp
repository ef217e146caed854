#include "config/flights/plot_thinning.h"

#include <algorithm>
#include <cmath>

namespace config {
namespace {

// The points kept of one run of consecutive points in one pixel column, by index.
struct ColumnRun {
  size_t First = 0, Lowest = 0, Highest = 0, Last = 0;

  void Add(size_t i, std::span<const double> y) {
    if (y[i] < y[Lowest]) Lowest = i;
    if (y[i] > y[Highest]) Highest = i;
    Last = i;
  }
  void KeepInto(std::vector<size_t>& kept) const {
    for (size_t i : {First, std::min(Lowest, Highest), std::max(Lowest, Highest), Last}) {
      if (kept.empty() || kept.back() != i) kept.push_back(i);
    }
  }
};

// Evenly spread picks of at most `limit` (at least 2) of the kept points, the first and the last among them.
std::vector<size_t> SampleEvenly(const std::vector<size_t>& kept, size_t limit) {
  if (kept.size() <= limit) return kept;
  std::vector<size_t> picked;
  picked.reserve(limit);
  const double stride = static_cast<double>(kept.size() - 1) / static_cast<double>(limit - 1);
  for (size_t j = 0; j < limit; ++j) {
    picked.push_back(kept[std::min(kept.size() - 1, static_cast<size_t>(static_cast<double>(j) * stride))]);
  }
  picked.back() = kept.back();
  return picked;
}

}  // namespace

ThinnedPoints ThinToColumns(std::span<const double> x, std::span<const double> y, double x0, double x1, int columns) {
  columns = std::max(columns, 1);
  const double perUnit = columns / (x1 - x0);
  // The column of a value, clamped to the plot: no conversion of a value out of int's range.
  const auto columnOf = [&](double v) {
    const double at = (v - x0) * perUnit;
    return at >= 0 ? (at < columns ? static_cast<int>(at) : columns - 1) : 0;
  };
  std::vector<size_t> kept;
  ColumnRun run;
  int runColumn = -1;
  const size_t count = std::min(x.size(), y.size());
  for (size_t i = 0; i < count; ++i) {
    if (!std::isfinite(x[i]) || !std::isfinite(y[i])) continue;
    const int column = columnOf(x[i]);
    if (column == runColumn) {
      run.Add(i, y);
      continue;
    }
    if (runColumn >= 0) run.KeepInto(kept);
    run = {i, i, i, i};
    runColumn = column;
  }
  if (runColumn >= 0) run.KeepInto(kept);

  ThinnedPoints points;
  for (size_t i : SampleEvenly(kept, kThinnedPointsPerColumn * static_cast<size_t>(columns))) {
    points.X.push_back(x[i]);
    points.Y.push_back(y[i]);
  }
  return points;
}

}  // namespace config
