#pragma once
#include <memory>
#include <optional>
#include <string>

#include "flight/aircraft.h"
#include "ranking/ranking_table.h"
#include "sim/flight_runner.h"

namespace sim {

struct FlightOptions {
  // A constant tail setting (deg) from the first launch tick on, instead of the file's
  // own tail setting or its recorded control log.
  std::optional<double> TrimDeg;
};

struct FlightOutcome {
  std::unique_ptr<flight::Aircraft> Aircraft;  // with the whole flight record
  float Distance = 0;                          // m, DisplayX at touchdown
  int LastStep = 0;                            // touchdown record
  int LaunchTicks = 0;                         // LaunchRun calls until it returned true
  bool LaunchEnded = true;                     // false when the run never reaches the platform's edge
};

// Flies an aircraft file or a ranking entry file the way the game's demo does, as a
// freshly started game would: load, launch-run ticks of 0.02 s, then flight ticks with
// the tail set from the entry's control log before each step (0.0 past its recorded
// values). A plain aircraft file keeps its own tail setting. The launch jitter draws 0.
// Nothing when the file cannot be read.
std::optional<FlightOutcome> FlyAircraftFile(const std::string& gameFileName, const FlightOptions& options = {});

// The same flight from the file's text held in memory (what FlyAircraftFile does once
// it has read the file): the configurator flies the design it shows exactly as the
// game would fly it once saved.
FlightOutcome FlyAircraftText(const std::string& fileText, const FlightOptions& options = {});

// The aircraft of a file's text flown with a control log, as the demo flies a ranking
// entry: the tail set to value Step before every flight step.
FlightOutcome FlyWithControlLog(const std::string& fileText, const ranking::ControlLog& log);

}  // namespace sim
