#include "ranking/ranking_files.h"

#include <cstdio>
#include <sstream>

#include "platform/file_transaction.h"
#include "platform/files.h"
#include "platform/services.h"
#include "platform/text_fields.h"

namespace ranking {
namespace {

// "ランキングファイル生成に失敗"
constexpr const char* kTableFileFailed =
    "\x83\x89\x83\x93\x83\x4c\x83\x93\x83\x4f\x83\x74\x83\x40\x83\x43\x83\x8b\x90\xb6\x90\xac\x82\xc9\x8e\xb8\x94\x73";
// "コンストラクタlink" and "コンストラクタランキング", shown one after the other.
constexpr const char* kEntryFileFailed1 = "\x83\x52\x83\x93\x83\x58\x83\x67\x83\x89\x83\x4e\x83\x5elink";
constexpr const char* kEntryFileFailed2 =
    "\x83\x52\x83\x93\x83\x58\x83\x67\x83\x89\x83\x4e\x83\x5e\x83\x89\x83\x93\x83\x4c\x83\x93\x83\x4f";

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

enum class Report { Warnings, Silently };

// Fills the table's entries from the table file's text and the ten entry files.
void ReadEntries(RankingTable& table, const std::string& tableText, Report report) {
  const TableFile parsed = ParseTableFile(tableText);
  table.Entries = parsed.Entries;
  table.FlightCount = parsed.FlightCount;
  table.SyncedTableText = tableText;
  for (int i = 0; i < kEntryCount; ++i) {
    table.EntryLines[i] = {};
    table.EntryLogs[i] = {};
    const auto text = platform::ReadFilePrefix(EntryFileName(i), kRankingReadLimit);
    if (!text) {
      if (report == Report::Warnings) {
        platform::ShowWarning(kEntryFileFailed1);
        platform::ShowWarning(kEntryFileFailed2);
      }
      continue;
    }
    std::unique_ptr<EntryFile> entry = ParseEntryFile(*text);
    table.EntryLines[i] = std::move(entry->Lines);
    table.EntryLogs[i] = entry->Log;
  }
}

}  // namespace

std::unique_ptr<RankingTable> LoadRanking() {
  auto table = std::make_unique<RankingTable>();
  const platform::FolderLock lock(kRankingFolder);
  platform::RecoverFolder(kRankingFolder);
  const auto tableText = platform::ReadFilePrefix(kTableFileName, kRankingReadLimit);
  if (!tableText) {
    platform::ShowWarning(kTableFileFailed);
    return table;
  }
  table->TableRead = true;
  ReadEntries(*table, *tableText, Report::Warnings);
  return table;
}

bool ReloadIfChanged(RankingTable& table) {
  const auto tableText = platform::ReadFilePrefix(kTableFileName, kRankingReadLimit);
  if (!tableText || *tableText == table.SyncedTableText) return false;
  ReadEntries(table, *tableText, Report::Silently);
  return true;
}

std::vector<platform::FileChange> RankingFileChanges(const RankingTable& table) {
  std::vector<platform::FileChange> changes;
  for (int i = 0; i < kEntryCount; ++i) {
    changes.push_back({EntryFileBaseName(i), FormatEntryFile(table.EntryLines[i], table.EntryLogs[i])});
  }
  changes.push_back({kTableFileBaseName, FormatTableFile(table)});
  return changes;
}

bool SaveRanking(RankingTable& table) {
  const platform::FolderLock lock(kRankingFolder);
  platform::RecoverFolder(kRankingFolder);
  // Another game in this folder has registered since this one last read or wrote the
  // table: its table (with the entry files that go with it) is the newer one.
  const auto onDisk = platform::ReadFilePrefix(kTableFileName, kRankingReadLimit);
  if (onDisk && !table.SyncedTableText.empty() && *onDisk != table.SyncedTableText) return true;
  const std::string text = FormatTableFile(table);
  if (onDisk && *onDisk == text) return true;
  if (platform::ReplaceFilesTogether(kRankingFolder, {{kTableFileBaseName, text}})) {
    table.SyncedTableText = text;
    return true;
  }
  platform::ShowWarning(kTableFileFailed);
  return false;
}

}  // namespace ranking
