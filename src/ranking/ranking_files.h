#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/io/file_transaction.h"
#include "ranking/ranking_table.h"

namespace ranking {

// "rank\Ranking.txt": one line of ten "name,distance," pairs and the flight count.
struct TableFile {
  std::array<RankingEntry, kEntryCount> Entries{};
  int32_t FlightCount = 0;
};
TableFile ParseTableFile(std::string_view text);
std::string FormatTableFile(const RankingTable& table);

// "rank\rank%d.txt": 50 aircraft-file lines, the separator line, then one control-log
// value per line.
struct EntryFile {
  std::array<std::string, kEntryLineCount> Lines{};
  ControlLog Log;
};
// Lines longer than 255 bytes keep their first 255; values past 5000 are ignored.
std::unique_ptr<EntryFile> ParseEntryFile(std::string_view text);
std::string FormatEntryFile(const std::array<std::string, kEntryLineCount>& lines, const ControlLog& log);

// Builds the table from the files, reporting what cannot be read once the folder is
// free again. A missing table file gives ten empty entries with distance 0 (and no
// entry file is read); a missing entry file gives no lines and an empty log. Under the
// ranking folder's lock, after finishing or undoing a change that a crash interrupted
// (without the lock the files are only read).
std::unique_ptr<RankingTable> LoadRanking();

// With the folder's lock held: when the table file on disk is not the one this table
// last read or wrote (another game registered), or this table holds a registration
// that was never written, reads the entries and entry files again (the
// flight-in-progress log stays). True when it did.
bool ReloadIfChanged(RankingTable& table);

// With the folder's lock held, after ReloadIfChanged: reads again the entry files that
// could not be read before. True when every ranking file is now known (read or
// missing), so that rewriting them all loses nothing.
bool ReadUnreadableFiles(RankingTable& table);

// The eleven ranking files of the table, for one atomic change of the folder, and
// their names inside the ranking folder.
std::vector<platform::FileChange> RankingFileChanges(const RankingTable& table);
std::vector<std::string> RankingFileBaseNames();

// Writes "rank\Ranking.txt" at shutdown, replacing the old file only once the new one
// is complete; nothing when it already holds this table, when another game in the
// folder has changed it since (a missing or empty file included), or when this table
// holds a registration that could not be written. Reports (after the folder's lock is
// released) and returns false when it cannot be written, the folder's lock included.
bool SaveRanking(RankingTable& table);

inline constexpr size_t kRankingReadLimit = 4 << 20;  // bytes read of any ranking file

}  // namespace ranking
