// Any bytes as a flight CSV plotted in the configurator's flights window: the first
// column against the second and against the last, at a one-pixel and a window-wide
// plot. Every plot either has axes with a few finite, distinct ticks inside them and
// lines of finite points inside the axes, no more of them than the width allows, or
// says why it has none; the column list holds each name once, cut for the screen.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "config/flights/flight_plot.h"
#include "config/flights/plot_thinning.h"

namespace {

constexpr int kWidths[] = {1, 900};  // px

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckAxis(const config::AxisScale& axis) {
  const config::AxisTicks& ticks = axis.Ticks;
  if (axis.Problem != config::AxisProblem::None) return;
  Require(std::isfinite(axis.Lo) && std::isfinite(axis.Hi) && axis.Lo < axis.Hi);
  Require(ticks.Count >= 1 && ticks.Count <= config::kMaxAxisTicks);
  for (size_t i = 0; i < ticks.Count; ++i) {
    Require(ticks.Values[i] >= axis.Lo && ticks.Values[i] <= axis.Hi);
    Require(i == 0 || ticks.Values[i] > ticks.Values[i - 1]);
  }
}

void CheckPlot(const config::FlightPlot& plot, int width) {
  if (!plot.Scale.Drawable()) {
    Require(!plot.Refusal.empty() && plot.Series.empty());
    return;
  }
  Require(plot.Refusal.empty());
  CheckAxis(plot.Scale.X);
  CheckAxis(plot.Scale.Y);
  const config::PlotRange r = plot.Scale.Range();
  for (const config::PlotSeries& s : plot.Series) {
    Require(s.X.size() == s.Y.size() && s.X.size() <= config::kThinnedPointsPerColumn * static_cast<size_t>(width));
    for (size_t i = 0; i < s.X.size(); ++i) {
      Require(s.X[i] >= r.X0 && s.X[i] <= r.X1 && s.Y[i] >= r.Y0 && s.Y[i] <= r.Y1);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  config::FlightLoad load = config::ParseFlightCsv(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!load.Table) return 0;
  load.Table->Source = load.Table->Label = "fuzz.csv";
  const std::vector<std::string> columns = load.Table->Columns;
  config::FlightSet set;
  config::AddFlight(set, std::move(load));
  config::ChooseColumn(set, config::PlotAxis::X, columns.front());
  config::FlightsView view;
  for (const std::string& y : {columns[std::min<size_t>(1, columns.size() - 1)], columns.back()}) {
    config::ChooseColumn(set, config::PlotAxis::Y, y);
    for (int width : kWidths) {
      config::UpdateFlightsView(view, set, width);
      CheckPlot(view.Plot, width);
    }
  }
  const std::unordered_set<std::string> distinct(view.Choices.begin(), view.Choices.end());
  Require(distinct.size() == view.Choices.size() && view.ShownChoices.size() == view.Choices.size());
  for (const std::string& shown : view.ShownChoices) Require(shown.size() <= config::kMaxShownNameBytes);
  return 0;
}
