#include "league/physics_version.h"

#include "aircraft/aircraft_file.h"
#include "config/design/design_editor.h"
#include "sim/flight_bits.h"
#include "sim/headless_flight.h"

namespace league {
namespace {

constexpr double kWholeWingTrim = 0.75;  // deg, a tail setting that flies a whole-wing default design well

void AddFlight(sim::BitHash& hash, const sim::FlightOutcome& flown) {
  hash.Add(flown.Distance);
  hash.Add(flown.LastStep);
  for (int row = 0; row <= flown.LastStep; ++row) sim::AddRecord(hash, flown.Aircraft->Records[row]);
}

}  // namespace

const std::string& PhysicsVersion() {
  static const std::string version = [] {
    sim::BitHash hash;
    flight::AircraftSpec design = config::DefaultDesign();
    AddFlight(hash, sim::FlyAircraftText(aircraft::FormatAircraftSpec(design)));
    design.StripModel = 0;
    AddFlight(hash, sim::FlyAircraftText(aircraft::FormatAircraftSpec(design), {.TrimDeg = kWholeWingTrim}));
    return hash.Hex();
  }();
  return version;
}

}  // namespace league
