#include "ranking/registration.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "platform/io/file_transaction.h"
#include "platform/io/files.h"
#include "platform/services.h"
#include "platform/text/language.h"
#include "platform/text/shift_jis.h"
#include "platform/text/text_fields.h"
#include "ranking/pending_warnings.h"
#include "ranking/ranking_files.h"
#include "ranking/ranking_messages.h"

namespace ranking {
namespace {

// "rank in 時の機体データの取得に失敗"
constexpr const char* kTempReadFailed = N_(
    "rank in \x8e\x9e\x82\xcc\x8b\x40\x91\xcc\x83\x66\x81\x5b\x83\x5e\x82\xcc\x8e\xe6\x93\xbe\x82\xc9\x8e\xb8\x94\x73");
// "rank登録最終書き出し"
constexpr const char* kEntryWriteFailed = N_("rank\x93\x6f\x98\x5e\x8d\xc5\x8f\x49\x8f\x91\x82\xab\x8f\x6f\x82\xb5");
constexpr const char* kFullWidthComma = "\x81\x43";  // in every language: "，" in stored names
constexpr const char* kDefaultName = "No Name";

// Index the distance earns, or -1. Equal distances keep the older entry ahead; a
// distance that is not a number never enters.
int PlaceFor(const RankingTable& table, float distance) {
  for (int i = 0; i < kEntryCount; ++i) {
    if (table.Entries[i].Distance < distance) return i;
  }
  return -1;
}

void MoveDownFrom(RankingTable& table, int index) {
  for (int j = kEntryCount - 2; j >= index; --j) {
    table.Entries[j + 1] = table.Entries[j];
    table.EntryLogs[j + 1] = table.EntryLogs[j];
    table.EntryLines[j + 1] = table.EntryLines[j];
  }
}

std::string AskName() {
  platform::Dialogs* dialogs = platform::Os().dialogs;
  const std::optional<std::string> typed = dialogs ? dialogs->AskPilotName() : std::nullopt;
  return StoredName(typed.value_or(""));
}

// What a ranked flight brings to the table, gathered before the folder is locked (the
// name dialog may stay open as long as the player likes).
struct NewEntry {
  std::array<std::string, kEntryLineCount> Lines;
  ControlLog Log;
  std::string Name;
};

// The entry lines of an aircraft file's text.
std::array<std::string, kEntryLineCount> EntryLinesOf(std::string_view specText) {
  std::array<std::string, kEntryLineCount> lines;
  const std::vector<std::string> specLines = platform::SplitLines(specText, kSpecLinesKept);
  for (int k = 0; k < kSpecLinesKept; ++k) lines[k] = k < static_cast<int>(specLines.size()) ? specLines[k] : "";
  lines[kSpecLinesKept] = kEntrySeparator;
  return lines;
}

void CountFlight(RankingTable& table) {
  if (table.FlightCount < std::numeric_limits<int32_t>::max()) ++table.FlightCount;
}

bool IsLeadByte(unsigned char c) { return platform::ShiftJisCharLength(c) == 2; }
bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }
// Bytes that would break the table's one line or its fields, or that no font shows.
bool IsControlByte(unsigned char c) { return c < 0x20 || c == 0x7F; }

}  // namespace

std::string StoredName(std::string_view typed) {
  std::string name;
  for (size_t i = 0; i < typed.size();) {
    const auto c = static_cast<unsigned char>(typed[i]);
    std::string_view character;
    if (IsLeadByte(c)) {
      // A lead byte without a trail byte after it is half a character: dropped, and
      // the byte after it (a comma, a line break ...) is taken on its own.
      if (i + 1 >= typed.size() || !IsTrailByte(static_cast<unsigned char>(typed[i + 1]))) {
        ++i;
        continue;
      }
      character = typed.substr(i, 2);
    } else if (c == ',') {
      character = kFullWidthComma;
    } else if (IsControlByte(c)) {
      ++i;
      continue;
    } else {
      character = typed.substr(i, 1);
    }
    if (name.size() + character.size() > kMaxNameBytes) break;
    name += character;
    i += IsLeadByte(c) ? 2 : 1;
  }
  return name.empty() ? kDefaultName : name;
}

std::string EntryFileText(std::string_view specText, const ControlLog& log, int flightSteps) {
  ControlLog flown = log;
  flown.Count = static_cast<int16_t>(std::clamp(flightSteps, 0, kControlLogCapacity));
  return FormatEntryFile(EntryLinesOf(specText), flown);
}

void RegisterDistance(RankingTable& table, float distance, int flightSteps) {
  RegisterDistance(table, distance, flightSteps, platform::ReadFilePrefix(kWorkingAircraftFile, kRankingReadLimit));
}

namespace {

// The registration itself, under the folder's lock; what goes wrong is told to
// `warnings`, shown once the lock is released.
void RegisterLocked(RankingTable& table, float distance, const std::optional<NewEntry>& offered,
                    PendingWarnings& warnings) {
  const platform::FolderLock lock(kRankingFolder);
  bool filesKnown = false;
  if (lock.Held()) {
    // Against the files as they are now: another game in this folder may have
    // registered since this one read them.
    platform::RecoverFolder(kRankingFolder, RankingFileBaseNames());
    ReloadIfChanged(table);
    filesKnown = ReadUnreadableFiles(table);
  }
  const RankingTable before = table;

  CountFlight(table);
  table.NewEntryIndex = kNoNewEntry;
  const int index = offered ? PlaceFor(table, distance) : -1;
  if (index >= 0) {
    table.NewEntryIndex = static_cast<int8_t>(index);
    MoveDownFrom(table, index);
    table.EntryLines[index] = offered->Lines;
    table.EntryLogs[index] = offered->Log;
    table.Entries[index] = {offered->Name, distance};
  }

  // Without the lock another game could write at the same moment, and an entry file
  // that cannot be read would be lost if rewritten: the files stay as they are, and
  // the flight is shown from memory only.
  const char* refusal = !lock.Held() ? kFolderNotLocked : !filesKnown ? kEntriesUnreadable : nullptr;
  if (refusal) {
    table.OutOfStepWithFiles = true;
    warnings.Add(refusal);
    return;
  }
  // All eleven files change together, or none does.
  if (!platform::ReplaceFilesTogether(kRankingFolder, RankingFileChanges(table))) {
    table = before;
    warnings.Add(kEntryWriteFailed);
    return;
  }
  table.SyncedTableText = FormatTableFile(table);
}

}  // namespace

void RegisterDistance(RankingTable& table, float distance, int flightSteps,
                      const std::optional<std::string>& flownSpecText) {
  // A flight that ranks in the table the player has seen brings its aircraft, its log
  // and the pilot's name.
  std::optional<NewEntry> offered;
  if (PlaceFor(table, distance) >= 0) {
    if (!flownSpecText) {
      CountFlight(table);
      table.NewEntryIndex = kNoNewEntry;
      platform::ShowWarning(kTempReadFailed);
      return;
    }
    offered.emplace();
    offered->Lines = EntryLinesOf(*flownSpecText);
    offered->Log = table.InProgressLog;
    offered->Log.Count = static_cast<int16_t>(std::clamp(flightSteps, 0, kControlLogCapacity));
    offered->Name = AskName();
  }
  PendingWarnings warnings;
  RegisterLocked(table, distance, offered, warnings);
  warnings.Show();
}

}  // namespace ranking
