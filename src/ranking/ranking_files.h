#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_transaction.h"
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

// Builds the table from the files, reporting what cannot be read. A missing table
// file gives ten empty entries with distance 0 (and no entry file is read); a missing
// entry file gives no lines and an empty log. Under the ranking folder's lock, after
// finishing or undoing a registration that a crash interrupted.
std::unique_ptr<RankingTable> LoadRanking();

// With the folder's lock held: when the table file on disk is not the one this table
// last read or wrote (another game registered), reads the entries and entry files
// again (the flight-in-progress log stays). True when it did.
bool ReloadIfChanged(RankingTable& table);

// The eleven ranking files of the table, for one atomic change of the folder.
std::vector<platform::FileChange> RankingFileChanges(const RankingTable& table);

// Writes "rank\Ranking.txt" at shutdown, replacing the old file only once the new one
// is complete; nothing when it already holds this table, or when another game in the
// folder has written a newer one since. Reports and returns false when it cannot be
// written.
bool SaveRanking(RankingTable& table);

inline constexpr size_t kRankingReadLimit = 4 << 20;  // bytes read of any ranking file

}  // namespace ranking
