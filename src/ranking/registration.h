#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "ranking/ranking_table.h"

namespace ranking {

// Offers a flight's distance (m) to the ranking. If it beats an entry, the aircraft
// file's text that was flown is needed (nothing: reported, and nothing changes but
// the flight count) and the pilot's name asked. Then, under the ranking folder's lock
// and against the files as they are now (another game may have registered), the lower
// entries move down and the new entry gets the file's lines, the flight's control log
// (flightSteps values) and the name. Every call counts the flight and rewrites all ten
// entry files and the table file as one change; when that fails (reported), the table
// and the files stay as they were. When the folder cannot be locked, or an entry file
// is there but cannot be read, nothing is written (reported): the table in memory
// shows the flight until the next registration starts again from the files. Warnings
// are shown only after the lock is released.
void RegisterDistance(RankingTable& table, float distance, int flightSteps,
                      const std::optional<std::string>& flownSpecText);
// The same with the working aircraft file "temp.txt" as it is now on disk.
void RegisterDistance(RankingTable& table, float distance, int flightSteps);

// The ranking entry file of a flight: the design's lines, the separator and its first
// `flightSteps` tail settings, as the registration writes it when the flight ranks.
std::string EntryFileText(std::string_view specText, const ControlLog& log, int flightSteps);

// The stored form of a typed name: "No Name" when empty, commas (which would break the
// table file) replaced by the full-width comma, line breaks and other control bytes
// dropped, half characters (a lead byte without its trail byte) dropped, at most 255
// bytes.
std::string StoredName(std::string_view typed);

inline constexpr const char* kWorkingAircraftFile = "temp.txt";

}  // namespace ranking
