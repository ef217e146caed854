#include "config/files/open_choices.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "config/files/file_names.h"
#include "config/files/save_target.h"
#include "platform/io/files.h"
#include "platform/text/language.h"
#include "platform/text/shift_jis.h"
#include "platform/text/text_fields.h"
#include "ranking/ranking_files.h"

namespace config {
namespace {

// "%2d位  ": the place, right-aligned in two columns.
std::string PlaceText(int place) {
  char text[32];
  std::snprintf(text, sizeof text, platform::TranslatedUtf8(N_("%2d位  ")), place);
  return text;
}

// A game file name inside a folder other than the working directory.
std::string InFolder(const std::string& folder, const std::string& gameFileName) {
  return folder == "." ? gameFileName : folder + "/" + platform::NativePath(gameFileName);
}

}  // namespace

std::vector<RankingChoice> RankingChoices(const std::string& folder) {
  const auto tableText =
      platform::ReadFilePrefix(InFolder(folder, ranking::kTableFileName), ranking::kRankingReadLimit);
  const ranking::TableFile table = tableText ? ranking::ParseTableFile(*tableText) : ranking::TableFile{};
  std::vector<RankingChoice> choices;
  for (int i = 0; i < ranking::kEntryCount; ++i) {
    RankingChoice choice;
    choice.GameFileName = InFolder(folder, ranking::EntryFileName(i));
    std::error_code error;
    choice.Exists = std::filesystem::exists(platform::NativePath(choice.GameFileName), error);
    const ranking::RankingEntry& entry = table.Entries[i];
    choice.Label = PlaceText(i + 1) + ShownFileName(platform::NativePath(choice.GameFileName));
    if (tableText) {
      choice.Label +=
          "  " + platform::ShiftJisToUtf8(entry.Name) + "  " + platform::TwoDecimalText(entry.Distance) + " m";
    }
    choices.push_back(std::move(choice));
  }
  return choices;
}

std::vector<std::string> OtherTextFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_regular_file(error) || entry.path().extension() != ".txt") continue;
    if (name == kDesignFileName || name.front() == '.' || IsGameSettingsFile(name)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace config
