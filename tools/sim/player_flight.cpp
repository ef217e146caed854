#include "player_flight.h"

#include "aircraft/load_aircraft.h"
#include "demo_flight.h"
#include "flight/flight_step.h"
#include "ranking/control_log.h"
#include "ranking/registration.h"

namespace sim {

bool FlyAsPlayer(ranking::RankingTable& table, PlayerControls controls, PlayerFlight& result) {
  aircraft::LoadAircraft(result.Aircraft, ranking::kWorkingAircraftFile, {.CoordinateLog = false, .BuildModel = nullptr});
  flight::Aircraft& a = *result.Aircraft;
  ranking::ResetControlLog(table, a.TailSetting);
  flight::LaunchRunState launch;
  flight::TailInputState tail;
  flight::LaunchRun(a, launch, 0, *controls.Random);

  float runTime = 0;  // s
  bool flying = false;
  for (result.Ticks = 0;; ++result.Ticks) {
    if (controls.BeforeTick) controls.BeforeTick(result.Ticks);
    if (!flying) {
      if (result.Ticks >= kMaxLaunchTicks) return false;
      runTime += 0.02f;
      flight::TailInput(a, tail, *controls.Input);
      if (!flight::LaunchRun(a, launch, runTime, *controls.Random)) continue;
      flying = true;
      ranking::SetFlightStartTail(table, a.TailSetting);
    }
    const bool touchdown = flight::FlightStep(a);
    if (!touchdown) {
      flight::ShowRecord(a);
      flight::TailInput(a, tail, *controls.Input);
    }
    ranking::LogTailSetting(table, a.TailSetting);
    if (touchdown) break;
  }
  result.Distance = a.DisplayX;
  return true;
}

}  // namespace sim
