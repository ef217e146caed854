#pragma once
#include <string>

#include "ranking/ranking_table.h"

namespace ranking {

// One line of the ranking list: a leader of eight "・" with the name written over its
// start (at most 16 bytes), then the distance cut after two decimals, then "m". A name
// that would end in half a dot leaves a blank there; a cut that would split a
// two-byte character moves back to the character's start.
std::string RankingLine(const RankingEntry& entry);

}  // namespace ranking
