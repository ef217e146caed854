#include "sim/trim_sweep.h"

#include <cmath>

namespace sim {
namespace {

// A step that lands on TO but for rounding still flies TO.
constexpr double kCountAllowance = 1e-9;
constexpr double kSettingGrid = 1e9;      // settings per degree
constexpr double kGridLargestDeg = 1e6;   // beyond this the grid loses precision

}  // namespace

std::optional<TrimSweepRange> MakeTrimSweepRange(double from, double to, double step) {
  if (!std::isfinite(from) || !std::isfinite(to) || !(step > 0) || !(from <= to)) return std::nullopt;
  // Counted as a double: a range too wide for its step has no int count (or none at all).
  const double flights = std::floor((to - from) / step + kCountAllowance) + 1;
  if (!std::isfinite(flights) || flights > kMaxTrimSweepFlights) return std::nullopt;
  return TrimSweepRange{from, to, step, static_cast<int>(flights)};
}

double TrimSweepSetting(const TrimSweepRange& range, int k) {
  const double value = range.From + static_cast<double>(k) * range.Step;
  if (!(std::fabs(value) < kGridLargestDeg)) return value;
  return std::round(value * kSettingGrid) / kSettingGrid + 0.0;  // + 0.0: never -0
}

}  // namespace sim
