#include "flight/tail_trim.h"

#include "flight/coordinate_log.h"

namespace flight {

void TrimTail(Aircraft& a, int steps) {
  a.TailSetting += steps / kTrimStepsPerDegree;
  LogTailLine(a);
}

}  // namespace flight
