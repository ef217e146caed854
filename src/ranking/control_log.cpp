#include "ranking/control_log.h"

namespace ranking {

namespace {
constexpr double kUnrecorded = -1.0;  // marks values no flight step has used
}

void ResetControlLog(RankingTable& table, double tailSettingDeg) {
  ControlLog& log = table.InProgressLog;
  log.Values.fill(kUnrecorded);
  log.Values[0] = tailSettingDeg;
  log.Count = 1;
}

void SetFlightStartTail(RankingTable& table, double tailSettingDeg) { table.InProgressLog.Values[0] = tailSettingDeg; }

void LogTailSetting(RankingTable& table, double tailSettingDeg) {
  ControlLog& log = table.InProgressLog;
  if (log.Count < 0 || log.Count >= kControlLogCapacity) return;
  log.Values[log.Count] = tailSettingDeg;
  ++log.Count;
}

}  // namespace ranking
