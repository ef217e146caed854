#pragma once
// [SECTION] The one flight loop: the launch run along the platform and the free flight,
// tick by tick, without drawing. The game's state machine calls it every tick and
// draws around it; velkaro-sim, the configurator's test flight, the ranking maker and
// the tests fly the same code, so a headless flight is the game's flight.
#include <functional>

#include "flight/aircraft.h"
#include "flight/constants.h"
#include "flight/launch_run.h"
#include "platform/random.h"

namespace sim {

// One game tick on the platform: the run time grows by the flight step, as a float.
inline constexpr float kRunTickSeconds = static_cast<float>(flight::kTimeStep);

// What steers the tail of a flight. Each hook runs at a fixed point of the tick; the
// defaults leave the tail alone (an aircraft file flown with its own tail setting).
class TailControl {
public:
  virtual ~TailControl() = default;
  // Every launch tick, before the run moves the aircraft.
  virtual void OnPlatform(flight::Aircraft&) {}
  // The run has reached the platform's edge; the first flight step follows at once.
  virtual void LeavingPlatform(flight::Aircraft&) {}
  // Before every flight step.
  virtual void BeforeStep(flight::Aircraft&) {}
  // After every flight step; when still airborne, after the new record is shown.
  virtual void AfterStep(flight::Aircraft&, bool /*touchdown*/) {}
};

// What a flight keeps between ticks, across aircraft loads.
struct FlightRun {
  float RunTime = 0;  // s on the launch platform
  flight::LaunchRunState Launch;
};

enum class FlightPhase { OnPlatform, Airborne, Touchdown };

// Puts the aircraft at the top of the platform (a launch run at time 0).
void PutOnPlatform(FlightRun& run, flight::Aircraft& a, platform::Random& random);

// One launch tick. While the run goes on, OnPlatform. When it reaches the platform's
// edge the run time is reset and the first flight tick runs in the same tick: its
// result (Airborne or Touchdown) is returned.
FlightPhase LaunchTick(FlightRun& run, flight::Aircraft& a, TailControl& tail, platform::Random& random);

// One tick of free flight: a flight step; when still airborne the new record is shown.
FlightPhase FlightTick(flight::Aircraft& a, TailControl& tail);

// A whole headless flight from the top of the platform to touchdown.
struct HeadlessFlight {
  int Ticks = 0;            // launch and flight ticks, touchdown tick included
  int LaunchTicks = 0;      // LaunchRun calls until it returned true
  bool LaunchEnded = true;  // false when the run never reached the platform's edge
};

// Launch runs longer than this many ticks are given up (the start speed is too low for
// the run ever to reach the platform's edge).
inline constexpr int kMaxLaunchTicks = 100000;

// Flies tick after tick until touchdown. `beforeTick(tick)` (optional) runs before
// every tick, so a script can change the input a player gives.
HeadlessFlight FlyToTouchdown(FlightRun& run, flight::Aircraft& a, TailControl& tail, platform::Random& random,
                              const std::function<void(int tick)>& beforeTick = {});

}  // namespace sim
