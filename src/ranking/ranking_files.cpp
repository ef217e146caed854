#include "ranking/ranking_files.h"

#include <cstdio>
#include <sstream>

#include "platform/io/file_transaction.h"
#include "platform/io/files.h"
#include "platform/services.h"
#include "platform/text/language.h"
#include "platform/text/text_fields.h"
#include "ranking/pending_warnings.h"
#include "ranking/ranking_messages.h"

namespace ranking {
namespace {

// "ランキングファイル生成に失敗"
constexpr const char* kTableFileFailed = N_(
    "\x83\x89\x83\x93\x83\x4c\x83\x93\x83\x4f\x83\x74\x83\x40\x83\x43\x83\x8b\x90\xb6\x90\xac\x82\xc9\x8e\xb8\x94\x73");
// "コンストラクタlink" and "コンストラクタランキング", shown one after the other.
constexpr const char* kEntryFileFailed1 = N_("\x83\x52\x83\x93\x83\x58\x83\x67\x83\x89\x83\x4e\x83\x5elink");
constexpr const char* kEntryFileFailed2 =
    N_("\x83\x52\x83\x93\x83\x58\x83\x67\x83\x89\x83\x4e\x83\x5e\x83\x89\x83\x93\x83\x4c\x83\x93\x83\x4f");

}  // namespace

std::string EntryFileBaseName(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "rank%d.txt", index);
  return name;
}

std::string EntryFileName(int index) { return std::string(kRankingFolder) + "\\" + EntryFileBaseName(index); }

TableFile ParseTableFile(std::string_view text) {
  TableFile table;
  platform::FieldReader in(text);
  for (RankingEntry& entry : table.Entries) {
    entry.Name = in.Read(',');
    entry.Distance = static_cast<float>(platform::ParseDouble(in.Read(',')));
  }
  table.FlightCount = platform::ParseInt(in.Read(','));
  return table;
}

std::string FormatTableFile(const RankingTable& table) {
  std::ostringstream out;
  for (const RankingEntry& entry : table.Entries) out << entry.Name << ',' << entry.Distance << ',';
  out << table.FlightCount;
  return out.str();
}

std::unique_ptr<EntryFile> ParseEntryFile(std::string_view text) {
  auto entry = std::make_unique<EntryFile>();
  std::vector<std::string> lines = platform::SplitLines(text, kEntryLineCount + kControlLogCapacity);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i < kEntryLineCount) {
      entry->Lines[i] = std::move(lines[i]);
    } else {
      entry->Log.Values[entry->Log.Count++] = platform::ParseDouble(lines[i]);
    }
  }
  return entry;
}

std::string FormatEntryFile(const std::array<std::string, kEntryLineCount>& lines, const ControlLog& log) {
  std::ostringstream out;
  for (const std::string& line : lines) out << line << "\r\n";
  for (int k = 0; k < log.Count && k < kControlLogCapacity; ++k) out << log.Values[k] << "\r\n";
  return out.str();
}

namespace {

// Reads entry file i into the table; false when it is there but cannot be read.
bool ReadEntry(RankingTable& table, int i) {
  table.EntryLines[i] = {};
  table.EntryLogs[i] = {};
  const platform::FileRead read = platform::ReadFilePrefixChecked(EntryFileName(i), kRankingReadLimit);
  table.EntryFileOutcome[i] = read.Outcome;
  if (read.Outcome != platform::ReadOutcome::Read) return false;
  std::unique_ptr<EntryFile> entry = ParseEntryFile(read.Bytes);
  table.EntryLines[i] = std::move(entry->Lines);
  table.EntryLogs[i] = entry->Log;
  return true;
}

// Fills the table's entries from the table file's text and the ten entry files; the
// entry files that cannot be opened are reported to `warnings`, when given.
void ReadEntries(RankingTable& table, const std::string& tableText, PendingWarnings* warnings) {
  const TableFile parsed = ParseTableFile(tableText);
  table.Entries = parsed.Entries;
  table.FlightCount = parsed.FlightCount;
  table.SyncedTableText = tableText;
  table.TableUnreadable = false;
  table.OutOfStepWithFiles = false;
  for (int i = 0; i < kEntryCount; ++i) {
    if (!ReadEntry(table, i) && warnings) {
      warnings->Add(kEntryFileFailed1);
      warnings->Add(kEntryFileFailed2);
    }
  }
}

std::unique_ptr<RankingTable> LoadLocked(PendingWarnings& warnings) {
  auto table = std::make_unique<RankingTable>();
  const platform::FolderLock lock(kRankingFolder);
  if (lock.Held() && !platform::RecoverFolder(kRankingFolder, RankingFileBaseNames()).LeftAlone.empty()) {
    warnings.Add(kForeignNamesLeftAlone);
  }
  const platform::FileRead tableFile = platform::ReadFilePrefixChecked(kTableFileName, kRankingReadLimit);
  if (tableFile.Outcome != platform::ReadOutcome::Read) {
    // A table that is there but cannot be read is not this game's to replace.
    table->TableUnreadable = tableFile.Outcome == platform::ReadOutcome::Unreadable;
    warnings.Add(kTableFileFailed);
    return table;
  }
  table->TableRead = true;
  ReadEntries(*table, tableFile.Bytes, &warnings);
  return table;
}

// Whether the table file on disk is still the one this table last read or wrote.
bool TableFileUnchanged(const RankingTable& table) {
  const platform::FileRead onDisk = platform::ReadFilePrefixChecked(kTableFileName, kRankingReadLimit);
  switch (onDisk.Outcome) {
    case platform::ReadOutcome::Read: return table.SyncedTableText == onDisk.Bytes;
    case platform::ReadOutcome::Missing: return !table.SyncedTableText;
    case platform::ReadOutcome::Unreadable: return false;
  }
  return false;
}

bool SaveLocked(RankingTable& table, PendingWarnings& warnings) {
  const platform::FolderLock lock(kRankingFolder);
  if (!lock.Held()) {
    warnings.Add(kFolderNotLocked);
    return false;
  }
  platform::RecoverFolder(kRankingFolder, RankingFileBaseNames());
  // A registration that was never written would put the table out of step with its
  // entry files; another game's newer table (with the entry files that go with it)
  // stays as it is.
  if (table.OutOfStepWithFiles || table.TableUnreadable || !TableFileUnchanged(table)) return true;
  const std::string text = FormatTableFile(table);
  if (table.SyncedTableText == text) return true;
  if (platform::ReplaceFilesTogether(kRankingFolder, {{kTableFileBaseName, text}})) {
    table.SyncedTableText = text;
    return true;
  }
  warnings.Add(kTableFileFailed);
  return false;
}

}  // namespace

std::unique_ptr<RankingTable> LoadRanking() {
  PendingWarnings warnings;
  std::unique_ptr<RankingTable> table = LoadLocked(warnings);
  warnings.Show();
  return table;
}

bool ReloadIfChanged(RankingTable& table) {
  if (!table.OutOfStepWithFiles && !table.TableUnreadable && TableFileUnchanged(table)) return false;
  const platform::FileRead tableFile = platform::ReadFilePrefixChecked(kTableFileName, kRankingReadLimit);
  if (tableFile.Outcome == platform::ReadOutcome::Unreadable) table.TableUnreadable = true;
  if (tableFile.Outcome != platform::ReadOutcome::Read) return false;
  ReadEntries(table, tableFile.Bytes, nullptr);
  return true;
}

bool ReadUnreadableFiles(RankingTable& table) {
  bool allKnown = !table.TableUnreadable;
  for (int i = 0; i < kEntryCount; ++i) {
    if (table.EntryFileOutcome[i] == platform::ReadOutcome::Unreadable) ReadEntry(table, i);
    allKnown = allKnown && table.EntryFileOutcome[i] != platform::ReadOutcome::Unreadable;
  }
  return allKnown;
}

std::vector<platform::FileChange> RankingFileChanges(const RankingTable& table) {
  std::vector<platform::FileChange> changes;
  for (int i = 0; i < kEntryCount; ++i) {
    changes.push_back({EntryFileBaseName(i), FormatEntryFile(table.EntryLines[i], table.EntryLogs[i])});
  }
  changes.push_back({kTableFileBaseName, FormatTableFile(table)});
  return changes;
}

std::vector<std::string> RankingFileBaseNames() {
  std::vector<std::string> names;
  for (int i = 0; i < kEntryCount; ++i) names.push_back(EntryFileBaseName(i));
  names.push_back(kTableFileBaseName);
  return names;
}

bool SaveRanking(RankingTable& table) {
  PendingWarnings warnings;
  const bool saved = SaveLocked(table, warnings);
  warnings.Show();
  return saved;
}

}  // namespace ranking
