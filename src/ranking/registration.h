#pragma once
#include <string>
#include <string_view>

#include "ranking/ranking_table.h"

namespace ranking {

// Offers a flight's distance (m) to the ranking. If it beats an entry, the working
// aircraft file "temp.txt" is read first (a failure is reported and changes nothing),
// the lower entries move down, the new entry gets the file's lines, the flight's
// control log (flightSteps values) and the pilot's name from the name dialog. Every
// call counts the flight and rewrites all ten entry files and the table file.
void RegisterDistance(RankingTable& table, float distance, int flightSteps);

// Writes the ten entry files from memory; stops at the first that cannot be written
// (reported). Returns false then.
bool WriteEntryFiles(const RankingTable& table);

// The stored form of a typed name: "No Name" when empty, commas (which would break the
// table file) replaced by the full-width comma, at most 255 bytes, never ending in
// half a Shift-JIS character.
std::string StoredName(std::string_view typed);

inline constexpr const char* kWorkingAircraftFile = "temp.txt";

}  // namespace ranking
