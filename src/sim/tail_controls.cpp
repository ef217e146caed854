#include "sim/tail_controls.h"

#include "ranking/control_log.h"

namespace sim {

void PlayerTail::OnPlatform(flight::Aircraft& a) { TailInput(a, Trim_, Input_); }

void PlayerTail::LeavingPlatform(flight::Aircraft& a) {
  // The first flight step flies with the tail as trimmed on the platform: that is the
  // value the flight's log starts with, so the flight can be flown again from it.
  ranking::SetFlightStartTail(Log_, a.TailSetting);
}

void PlayerTail::AfterStep(flight::Aircraft& a, bool touchdown) {
  if (!touchdown) TailInput(a, Trim_, Input_);
  ranking::LogTailSetting(Log_, a.TailSetting);
}

void RecordedTail::BeforeStep(flight::Aircraft& a) { a.TailSetting = Log_.Values[a.Step]; }

}  // namespace sim
