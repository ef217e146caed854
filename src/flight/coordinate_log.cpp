#include "flight/coordinate_log.h"

namespace flight {

void LogRecordValues(Aircraft& a) {
  if (!a.CoordinateLog) return;
  std::ostream& out = *a.CoordinateLog;
  const FlightRecord& rec = a.Records[a.Step];
  const float time = CoordinateLogTime(a.Step);  // s
  out << time << ',' << a.DisplayX << ',' << a.DisplayHeight << ',' << a.DisplayPitch << ',' << rec.Velocity[0] << ','
      << rec.Velocity[1] << ',' << rec.Velocity[2] << ',';
}

void LogTailLine(Aircraft& a) {
  if (!a.CoordinateLog) return;
  *a.CoordinateLog << a.TailSetting << "gg" << a.Step << '\n';
}

}  // namespace flight
