#pragma once
// The flights the flights window overlays: up to four tables, the two columns plotted
// against each other (chosen by name, so every flight that has them is drawn), and
// the usual choices of axes.
#include <span>
#include <string>
#include <vector>

#include "config/flights/flight_table.h"

namespace config {

inline constexpr size_t kMaxFlights = 4;

// Changed only through the functions below, which count every change in Revision so
// that what is made of the set (the window's plot) knows when to be made again.
struct FlightSet {
  std::vector<FlightTable> Flights;
  std::string XColumn, YColumn;  // UTF-8 column names; height over distance at first
  unsigned Revision = 0;
  FlightSet();
};

// Adds a loaded flight (a file loaded again replaces its earlier table) and says what
// happened, UTF-8 for the status line. A fifth flight and a failed load are refused.
std::string AddFlight(FlightSet& set, FlightLoad load);
void RemoveFlight(FlightSet& set, size_t index);

// Every column name of the flights, in order of first appearance; a name that several
// flights (or one flight twice) have appears once.
std::vector<std::string> ColumnChoices(const FlightSet& set);

enum class PlotAxis { X, Y };
// Plots the column of that name along an axis.
void ChooseColumn(FlightSet& set, PlotAxis axis, const std::string& column);

// A ready choice of axes: two of the game's columns.
struct AxisPreset {
  const char* Label;     // UTF-8, an N_ text
  int XColumn, YColumn;  // flight::FlightCsvColumn
};
std::span<const AxisPreset> AxisPresets();
void ApplyPreset(FlightSet& set, const AxisPreset& preset);

// The chosen columns of one flight, for the plot.
struct FlightSeries {
  size_t Flight = 0;  // index into Flights
  std::vector<double> X, Y;
};
// One series per flight that has both chosen columns.
std::vector<FlightSeries> ChosenSeries(const FlightSet& set);

}  // namespace config
