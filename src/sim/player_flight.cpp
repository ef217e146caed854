#include "sim/player_flight.h"

#include "aircraft/load_aircraft.h"
#include "ranking/control_log.h"
#include "ranking/registration.h"
#include "sim/tail_controls.h"

namespace sim {

bool FlyAsPlayer(ranking::RankingTable& table, PlayerControls controls, PlayerFlight& result) {
  aircraft::LoadAircraft(result.Aircraft, ranking::kWorkingAircraftFile,
                         {.CoordinateLog = false, .BuildModel = nullptr});
  flight::Aircraft& a = *result.Aircraft;
  ranking::ResetControlLog(table, a.TailSetting);
  FlightRun run;
  TrimInputState trim;
  PutOnPlatform(run, a, *controls.Random);

  PlayerTail tail(trim, *controls.Input, table);
  const HeadlessFlight flown = FlyToTouchdown(run, a, tail, *controls.Random, controls.BeforeTick);
  result.Ticks = flown.Ticks;
  if (!flown.LaunchEnded) return false;
  result.Distance = a.DisplayX;
  return true;
}

}  // namespace sim
