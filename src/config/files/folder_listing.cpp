#include "config/files/folder_listing.h"

#include <algorithm>
#include <filesystem>

#include "config/files/aircraft_file_check.h"
#include "config/files/file_names.h"
#include "config/files/open_choices.h"
#include "config/files/save_target.h"
#include "platform/io/files.h"
#include "platform/text/language.h"
#include "platform/text/shift_jis.h"
#include "ranking/ranking_table.h"

namespace config {
namespace {

namespace fs = std::filesystem;

// Enough of a file to see whether it reads as an aircraft file: 49 lines whose label
// and values all reach the game's 255-character field limit are 49 x 5 x 256 = 62,720
// bytes. A listing never reads more of a file than this.
constexpr size_t kAircraftProbeBytes = 64 * 1024;

// The game reads the file line for line as a design: no line it would read out of step.
bool ReadsAsAircraftFile(const std::string& path) {
  const auto text = platform::ReadFilePrefix(path, kAircraftProbeBytes);
  return text && KeepsLinesInStep(CheckAircraftFileText(*text));
}

bool Readable(const std::string& path) { return platform::ReadFilePrefix(path, 1).has_value(); }

std::string LastName(const std::string& folder) {
  fs::path p = fs::path(folder).lexically_normal();
  if (!p.has_filename() && p.has_parent_path() && p != p.root_path()) p = p.parent_path();
  return p.filename().string();
}

// A path without "." and ".." steps that can be removed, and without a trailing slash.
std::string Tidy(const fs::path& path) {
  std::string text = path.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text.empty() ? "." : text;
}

// The ranking's entries of the folder holding "rank/", best first, those there to read.
void AddRankingEntries(const std::string& gameFolder, std::vector<ListedItem>& items) {
  for (const RankingChoice& choice : RankingChoices(gameFolder)) {
    const std::string path = platform::NativePath(choice.GameFileName);
    if (choice.Exists && Readable(path)) items.push_back({ListedKind::RankingEntry, path, choice.Label});
  }
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
  const fs::path p(name);
  if (p.is_absolute() || folder.empty() || folder == ".") return Tidy(p);
  return Tidy(fs::path(folder) / p);
}

std::string ParentFolder(const std::string& folder) {
  const fs::path p(Tidy(folder));
  if (p == p.root_path()) return p.string();
  if (p == "." || p.filename() == "..") return Tidy(p / "..");
  return p.has_parent_path() ? Tidy(p.parent_path()) : ".";
}

std::string TidyFolder(const std::string& folder) {
  std::error_code error;
  const fs::path full = fs::weakly_canonical(fs::absolute(folder, error), error);
  if (error) return Tidy(folder);
  const fs::path relative = full.lexically_relative(fs::current_path(error));
  if (error || relative.empty() || *relative.begin() == "..") return Tidy(full);
  return Tidy(relative);
}

FolderListing ListFolder(const std::string& folder) {
  FolderListing listing;
  listing.Folder = folder;
  const std::string dir = folder.empty() ? "." : folder;
  std::error_code error;
  fs::directory_iterator it(dir, error);
  if (error) {
    listing.Error = platform::Formatted(platform::TranslatedUtf8(N_("フォルダ「%s」を読めません: %s")),
                                        ShownFileName(folder).c_str(), error.message().c_str());
    return listing;
  }
  // The folders, sorted; files follow below.
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) {
      listing.Error = platform::Formatted(platform::TranslatedUtf8(N_("フォルダ「%s」の一部を読めません: %s")),
                                          ShownFileName(folder).c_str(), error.message().c_str());
      break;
    }
    const std::string name = it->path().filename().string();
    std::error_code entryError;
    if (name.empty() || name.front() == '.' || !it->is_directory(entryError)) continue;  // hidden, or a file
    const bool openable = name.find('\\') == std::string::npos;
    listing.Items.push_back({ListedKind::Folder, JoinPath(folder, name), ShownFileName(name) + "/", openable});
  }
  const auto byPath = [](const ListedItem& a, const ListedItem& b) { return a.Path < b.Path; };
  std::sort(listing.Items.begin(), listing.Items.end(), byPath);

  const std::string design = JoinPath(folder, kDesignFileName);
  if (Readable(design))
    listing.Items.push_back({ListedKind::DesignFile, design,
                             std::string(kDesignFileName) + platform::TranslatedUtf8(N_("  (ゲームが読む設計)"))});
  const bool inRankingFolder = LastName(folder) == ranking::kRankingFolder;
  if (inRankingFolder) {
    AddRankingEntries(ParentFolder(folder), listing.Items);
  } else if (fs::is_directory(JoinPath(folder, ranking::kRankingFolder), error)) {
    AddRankingEntries(dir, listing.Items);
  }
  // Other designs; OtherTextFiles leaves out hidden files, links to nowhere, FIFOs and
  // devices, and the game's own files.
  for (const std::string& name : OtherTextFiles(dir)) {
    const std::string path = JoinPath(folder, name);
    if (inRankingFolder && IsRankingFile(path)) continue;
    if (name.find('\\') != std::string::npos) {
      listing.Items.push_back({ListedKind::AircraftFile, path, ShownFileName(name), false});
    } else if (ReadsAsAircraftFile(path)) {
      listing.Items.push_back({ListedKind::AircraftFile, path, ShownFileName(name)});
    }
  }
  return listing;
}

}  // namespace config
