#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
// entry file gives no lines and an empty log.
std::unique_ptr<RankingTable> LoadRanking();

// Writes "rank\Ranking.txt" as a whole, replacing the old file only once the new one
// is complete. Reports and returns false when it cannot be written.
bool SaveRanking(const RankingTable& table);

inline constexpr size_t kRankingReadLimit = 4 << 20;  // bytes read of any ranking file

}  // namespace ranking
