#include "sim/flight_runner.h"

#include "flight/flight_step.h"

namespace sim {

void PutOnPlatform(FlightRun& run, flight::Aircraft& a, platform::Random& random) {
  flight::LaunchRun(a, run.Launch, 0, random);
}

FlightPhase LaunchTick(FlightRun& run, flight::Aircraft& a, TailControl& tail, platform::Random& random) {
  run.RunTime += kRunTickSeconds;
  tail.OnPlatform(a);
  if (!flight::LaunchRun(a, run.Launch, run.RunTime, random)) return FlightPhase::OnPlatform;
  run.RunTime = 0;
  tail.LeavingPlatform(a);
  return FlightTick(a, tail);
}

FlightPhase FlightTick(flight::Aircraft& a, TailControl& tail) {
  tail.BeforeStep(a);
  const bool touchdown = flight::FlightStep(a);
  if (!touchdown) flight::ShowRecord(a);
  tail.AfterStep(a, touchdown);
  return touchdown ? FlightPhase::Touchdown : FlightPhase::Airborne;
}

HeadlessFlight FlyToTouchdown(FlightRun& run, flight::Aircraft& a, TailControl& tail, platform::Random& random,
                              const std::function<void(int tick)>& beforeTick) {
  HeadlessFlight flight;
  FlightPhase phase = FlightPhase::OnPlatform;
  for (;; ++flight.Ticks) {
    if (phase == FlightPhase::OnPlatform && flight.LaunchTicks >= kMaxLaunchTicks) {
      flight.LaunchEnded = false;
      return flight;
    }
    if (beforeTick) beforeTick(flight.Ticks);
    if (phase == FlightPhase::OnPlatform) {
      ++flight.LaunchTicks;
      phase = LaunchTick(run, a, tail, random);
    } else {
      phase = FlightTick(a, tail);
    }
    if (phase == FlightPhase::Touchdown) {
      ++flight.Ticks;
      return flight;
    }
  }
}

}  // namespace sim
