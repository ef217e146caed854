#pragma once
// A recorded flight flown again beside the player's, one game tick per call: the
// aircraft of a ranking entry file with the tail settings it recorded, re-simulated
// exactly as the demo flies an entry and as FlyWithControlLog flies it headless (the
// same loading, the same launch and flight ticks, the launch jitter drawing 0). So its
// poses are the recorded flight's, bit for bit, and a ghost started in the same tick
// as the player's launch stays in lock-step with it.
#include <memory>
#include <string_view>

#include "aircraft/load_aircraft.h"
#include "ranking/ranking_files.h"
#include "sim/flight_runner.h"
#include "sim/tail_controls.h"
#include "sim/zero_random.h"

namespace sim {

class GhostFlight {
public:
  // The flight of a ranking entry file's text, standing at the top of the platform.
  // Nothing when the text is no recorded flight: fewer lines than the aircraft lines
  // and the separator, or no control-log value after them. `buildModel` (optional)
  // gives the ghost its own model, which the flight turns as it turns the player's.
  static std::unique_ptr<GhostFlight> FromEntryText(std::string_view entryText,
                                                    const aircraft::ModelBuilder& buildModel = nullptr);

  GhostFlight(const GhostFlight&) = delete;
  GhostFlight& operator=(const GhostFlight&) = delete;

  // One game tick: a launch tick while on the platform, then a flight tick; nothing
  // once it has touched down (its pose then stays at the touchdown record, and its x
  // is the distance it flew).
  FlightPhase Tick();

  FlightPhase Phase() const { return Phase_; }
  const flight::Aircraft& Aircraft() const { return *Aircraft_; }
  int Ticks() const { return Ticks_; }  // ticks flown, the touchdown tick included

private:
  GhostFlight(std::unique_ptr<ranking::EntryFile> entry, std::unique_ptr<flight::Aircraft> aircraft);

  std::unique_ptr<ranking::EntryFile> Entry_;  // its control log steers the tail
  std::unique_ptr<flight::Aircraft> Aircraft_;
  RecordedTail Tail_;
  FlightRun Run_;
  ZeroRandom Random_;
  FlightPhase Phase_ = FlightPhase::OnPlatform;
  int Ticks_ = 0;
};

}  // namespace sim
