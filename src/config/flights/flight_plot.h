#pragma once
// What the flights window shows of its flights, made when the flights, the chosen
// columns or the plot's width change and kept between frames: the column names to
// choose from, each flight's chosen columns thinned to the plot's width, and the plot's
// scale, or why those columns cannot be plotted. A frame then draws a number of points
// bounded by the width and reads names cut to a bounded length, whatever the files hold.
#include <string>
#include <string_view>
#include <vector>

#include "config/flights/flight_set.h"
#include "config/flights/plot_scale.h"

namespace config {

// Names longer than this (in bytes) are cut for the screen; the game's longest column
// name is 27 bytes.
inline constexpr size_t kMaxShownNameBytes = 120;

// The name as shown: cut at a UTF-8 character's start to at most kMaxShownNameBytes
// bytes, with "…" after a cut.
std::string ShownName(std::string_view name);

struct FlightPlot {
  PlotAxes Axes;                     // names and units of the chosen columns, as shown
  std::vector<PlotSeries> Series;    // one per flight with both columns, thinned; no colours yet
  std::vector<size_t> SeriesFlight;  // the index into the set's flights of each series
  size_t FlightsLeftOut = 0;         // flights without one of the chosen columns
  PlotScale Scale;
  std::string Refusal;  // UTF-8: why nothing is plotted, when the scale cannot be drawn
};

// The plot of the set's chosen columns, `width` pixels wide.
FlightPlot MakeFlightPlot(const FlightSet& set, int width);

struct FlightsView {
  std::vector<std::string> Choices;       // ColumnChoices of the set
  std::vector<std::string> ShownChoices;  // the same, as shown
  int XChoice = -1, YChoice = -1;         // the chosen columns' places in Choices, or -1
  FlightPlot Plot;
  // What the view was made of.
  unsigned Revision = 0;
  int Width = 0;
  bool Made = false;
};

// Makes the view of the set again when the set changed since or the width is another;
// true when it did.
bool UpdateFlightsView(FlightsView& view, const FlightSet& set, int width);

}  // namespace config
