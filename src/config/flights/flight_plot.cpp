#include "config/flights/flight_plot.h"

#include <cstdio>
#include <span>

#include "config/flights/plot_thinning.h"
#include "platform/text/language.h"

namespace config {
namespace {

constexpr std::string_view kCutMark = "…";  // in every language

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Why one axis cannot be drawn, with the range of its values; empty when it can.
std::string AxisRefusal(const char* axisName, const std::string& column, AxisProblem problem, double lo, double hi) {
  const char* format = nullptr;
  switch (problem) {
    case AxisProblem::None: return "";
    case AxisProblem::TooWide: format = N_("%s「%s」の値の幅が大きすぎて描けません (%g 〜 %g)。"); break;
    // All the digits: the values differ only beyond the sixth.
    case AxisProblem::TooFine:
      format = N_("%s「%s」の値の差が値の大きさに比べて小さすぎて描けません (%.17g 〜 %.17g)。");
      break;
  }
  char text[512];
  std::snprintf(text, sizeof text, platform::TranslatedUtf8(format), platform::TranslatedUtf8(axisName),
                ShownName(column).c_str(), lo, hi);
  return text;
}

int PlaceOf(const std::vector<std::string>& names, const std::string& name) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

std::string ShownName(std::string_view name) {
  if (name.size() <= kMaxShownNameBytes) return std::string(name);
  size_t cut = kMaxShownNameBytes - kCutMark.size();
  while (cut > 0 && IsUtf8Continuation(name[cut])) --cut;
  return std::string(name.substr(0, cut)) + std::string(kCutMark);
}

FlightPlot MakeFlightPlot(const FlightSet& set, int width) {
  FlightPlot plot;
  const ColumnName x = SplitColumnName(set.XColumn), y = SplitColumnName(set.YColumn);
  plot.Axes = {ShownName(x.Name), ShownName(x.Unit), ShownName(y.Name), ShownName(y.Unit)};

  struct Chosen {
    size_t Flight;
    std::span<const double> X, Y;
  };
  std::vector<Chosen> chosen;
  PointBounds bounds;
  for (size_t i = 0; i < set.Flights.size(); ++i) {
    const FlightTable& f = set.Flights[i];
    const int xi = f.ColumnIndex(set.XColumn), yi = f.ColumnIndex(set.YColumn);
    if (xi < 0 || yi < 0) {
      ++plot.FlightsLeftOut;
      continue;
    }
    chosen.push_back({i, f.Values[xi], f.Values[yi]});
    AddPoints(bounds, chosen.back().X, chosen.back().Y);
  }
  plot.Scale = FitScale(bounds);
  if (!plot.Scale.Drawable()) {
    const std::string xWhy = AxisRefusal(N_("横軸"), set.XColumn, plot.Scale.X.Problem, bounds.X0, bounds.X1);
    const std::string yWhy = AxisRefusal(N_("縦軸"), set.YColumn, plot.Scale.Y.Problem, bounds.Y0, bounds.Y1);
    plot.Refusal = xWhy + (xWhy.empty() || yWhy.empty() ? "" : " ") + yWhy;
    return plot;
  }
  for (const Chosen& c : chosen) {
    ThinnedPoints points = ThinToColumns(c.X, c.Y, plot.Scale.X.Lo, plot.Scale.X.Hi, width);
    plot.Series.push_back({.Name = set.Flights[c.Flight].Label, .X = std::move(points.X), .Y = std::move(points.Y)});
    plot.SeriesFlight.push_back(c.Flight);
  }
  return plot;
}

bool UpdateFlightsView(FlightsView& view, const FlightSet& set, int width) {
  if (view.Made && view.Revision == set.Revision && view.Width == width) return false;
  const bool flightsChanged = !view.Made || view.Revision != set.Revision;
  if (flightsChanged) {
    view.Choices = ColumnChoices(set);
    view.ShownChoices.clear();
    view.ShownChoices.reserve(view.Choices.size());
    for (const std::string& c : view.Choices) view.ShownChoices.push_back(ShownName(c));
    view.XChoice = PlaceOf(view.Choices, set.XColumn);
    view.YChoice = PlaceOf(view.Choices, set.YColumn);
  }
  view.Plot = MakeFlightPlot(set, width);
  view.Revision = set.Revision;
  view.Width = width;
  view.Made = true;
  return true;
}

}  // namespace config
