#pragma once
#include "flight/aircraft.h"

namespace flight {

// Lines of the coordinate log "zahyou.txt". Both write nothing when the aircraft has
// no log stream.
// The pose of record Step: time, display x, height and pitch, then u, w, q; each value
// followed by a comma, no line break.
void LogRecordValues(Aircraft& a);
// The tail setting, "gg", the step number and a line break.
void LogTailLine(Aircraft& a);

}  // namespace flight
