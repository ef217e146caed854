#pragma once
#include "ranking/ranking_table.h"

namespace ranking {

// Starts the log of a new flight: every value -1.0, value 0 the tail setting the
// flight starts from, and recording from value 1 on.
void ResetControlLog(RankingTable& table, double tailSettingDeg);

// Value 0 becomes the tail setting the first flight step actually uses; called when
// the launch run ends, after the player may have trimmed on the platform, so that the
// flight can be flown again from its log.
void SetFlightStartTail(RankingTable& table, double tailSettingDeg);

// Appends the tail setting of this tick. A log that is full takes no more values.
void LogTailSetting(RankingTable& table, double tailSettingDeg);

}  // namespace ranking
