#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/io/files.h"

namespace ranking {

inline constexpr int kEntryCount = 10;
inline constexpr int kControlLogCapacity = 5000;  // tail settings, one per flight step
inline constexpr int kEntryLineCount = 51;        // 50 aircraft-file lines and the separator
inline constexpr int kSpecLinesKept = 50;
inline constexpr size_t kMaxNameBytes = 255;
inline constexpr size_t kMaxLineBytes = 255;
inline constexpr int8_t kNoNewEntry = 100;

// Tail settings (deg) of one flight, value k being the one flight step k used.
struct ControlLog {
  std::array<double, kControlLogCapacity> Values{};
  int16_t Count = 0;  // values that belong to the flight
};

struct RankingEntry {
  std::string Name;    // Shift-JIS bytes as typed, at most 255
  float Distance = 0;  // m
};

// The ten best flights, longest first; among equal distances the older stands first.
// Large (eleven control logs): always allocate it on the heap.
struct RankingTable {
  std::array<RankingEntry, kEntryCount> Entries{};
  int8_t NewEntryIndex = kNoNewEntry;  // entry made by the last registration
  ControlLog InProgressLog;            // the flight being flown
  std::array<ControlLog, kEntryCount> EntryLogs{};
  std::array<std::array<std::string, kEntryLineCount>, kEntryCount> EntryLines{};
  int32_t FlightCount = 0;  // registration attempts, saved with the table
  bool TableRead = false;   // the table file could be read at start-up
  // The table file's text as this game last read or wrote it, nothing when there was
  // none: anything else on disk means another game in the same folder has changed it.
  std::optional<std::string> SyncedTableText;
  // How each entry file was last read. One that is there but could not be read keeps
  // its bytes: nothing may be written over it until it is read.
  std::array<platform::ReadOutcome, kEntryCount> EntryFileOutcome{};
  bool TableUnreadable = false;  // the table file is there but could not be read
  // A registration this game could not write is shown from memory: the files stay as
  // they were, so the next registration starts again from them, and the table file is
  // not written at shutdown.
  bool OutOfStepWithFiles = false;
};

// The folder of the ranking files, the file names of the table and of entry i, and
// their names inside the folder.
inline constexpr const char* kRankingFolder = "rank";
inline constexpr const char* kTableFileName = "rank\\Ranking.txt";
inline constexpr const char* kTableFileBaseName = "Ranking.txt";
std::string EntryFileName(int index);
std::string EntryFileBaseName(int index);

inline constexpr const char* kEntrySeparator = "--------vvv--------";

}  // namespace ranking
