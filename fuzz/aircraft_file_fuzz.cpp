// Any bytes as an aircraft file: parse, derive the aircraft, and fly a little of it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "aircraft/aircraft_file.h"
#include "flight/flight_step.h"
#include "flight/launch_run.h"
#include "flight/set_spec.h"
#include "sim/flight_runner.h"
#include "sim/zero_random.h"

namespace {
constexpr int kLaunchTicks = 5;
constexpr int kFlightSteps = 40;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static auto a = std::make_unique<flight::Aircraft>();
  *a = flight::Aircraft{};
  flight::SetSpec(*a, aircraft::ParseAircraftSpecText(text));
  sim::ZeroRandom random;
  flight::LaunchRunState launch;
  for (int i = 1; i <= kLaunchTicks; ++i) flight::LaunchRun(*a, launch, i * sim::kRunTickSeconds, random);
  for (int i = 0; i < kFlightSteps && !flight::FlightStep(*a); ++i) flight::ShowRecord(*a);
  while (!flight::ReplayStep(*a)) {
  }
  aircraft::FormatAircraftSpec(aircraft::ParseAircraftSpecText(text));
  return 0;
}
