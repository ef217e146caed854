#include "ranking/registration.h"

#include <algorithm>

#include "ranking/ranking_files.h"
#include "platform/text_fields.h"
#include "platform/files.h"
#include "platform/services.h"
#include "platform/shift_jis.h"

namespace ranking {
namespace {

// "rank in 時の機体データの取得に失敗"
constexpr const char* kTempReadFailed =
    "rank in \x8e\x9e\x82\xcc\x8b\x40\x91\xcc\x83\x66\x81\x5b\x83\x5e\x82\xcc\x8e\xe6\x93\xbe\x82\xc9\x8e\xb8\x94\x73";
// "rank登録最終書き出し"
constexpr const char* kEntryWriteFailed = "rank\x93\x6f\x98\x5e\x8d\xc5\x8f\x49\x8f\x91\x82\xab\x8f\x6f\x82\xb5";
constexpr const char* kFullWidthComma = "\x81\x43";  // "，"
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

}  // namespace

std::string StoredName(std::string_view typed) {
  std::string name;
  for (size_t i = 0; i < typed.size();) {
    const size_t length = std::min<size_t>(platform::ShiftJisCharLength(static_cast<unsigned char>(typed[i])),
                                           typed.size() - i);
    const std::string_view character = typed[i] == ',' ? std::string_view(kFullWidthComma) : typed.substr(i, length);
    if (name.size() + character.size() > kMaxNameBytes) break;
    name += character;
    i += length;
  }
  return name.empty() ? kDefaultName : name;
}

bool WriteEntryFiles(const RankingTable& table) {
  for (int j = 0; j < kEntryCount; ++j) {
    if (!platform::WriteFileAtomically(EntryFileName(j), FormatEntryFile(table.EntryLines[j], table.EntryLogs[j]))) {
      platform::ShowWarning(kEntryWriteFailed);
      return false;
    }
  }
  return true;
}

void RegisterDistance(RankingTable& table, float distance, int flightSteps) {
  ++table.FlightCount;
  table.NewEntryIndex = kNoNewEntry;

  const int index = PlaceFor(table, distance);
  if (index >= 0) {
    const auto specText = platform::ReadFilePrefix(kWorkingAircraftFile, kRankingReadLimit);
    if (!specText) {
      platform::ShowWarning(kTempReadFailed);
      return;
    }
    table.NewEntryIndex = static_cast<int8_t>(index);
    MoveDownFrom(table, index);

    std::array<std::string, kEntryLineCount>& lines = table.EntryLines[index];
    const std::vector<std::string> specLines = platform::SplitLines(*specText, kSpecLinesKept);
    for (int k = 0; k < kSpecLinesKept; ++k) lines[k] = k < static_cast<int>(specLines.size()) ? specLines[k] : "";
    lines[kSpecLinesKept] = kEntrySeparator;

    RankingEntry& entry = table.Entries[index];
    entry.Distance = distance;
    ControlLog& log = table.EntryLogs[index];
    log = table.InProgressLog;
    log.Count = static_cast<int16_t>(std::clamp(flightSteps, 0, kControlLogCapacity));
    entry.Name = AskName();
  }
  WriteEntryFiles(table);
  SaveRanking(table);
}

}  // namespace ranking
