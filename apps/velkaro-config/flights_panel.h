#pragma once
// The flights window: CSV exports and ranking entries (flown headless) overlaid in one
// plot of any two columns, each flight's distance and duration, and removing a flight.
#include <string>

#include "config/flights/flight_plot.h"
#include "config/flights/flight_set.h"
#include "file_dropdown.h"

namespace config {

struct FlightsPanel {
  bool Open = false;
  FlightSet Set;
  FlightsView View;  // what is shown of Set, kept between frames
  FileDropdown Pick;
  std::string Message;  // UTF-8: what the last load did or why it failed
};

// Draws the window while it is open; what a load did also goes to `status` (UTF-8).
void DrawFlightsPanel(FlightsPanel& panel, std::string& status);

}  // namespace config
