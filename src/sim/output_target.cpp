#include "sim/output_target.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "aircraft/aircraft_file.h"
#include "platform/io/files.h"
#include "platform/io/settings_file.h"
#include "ranking/ranking_table.h"
#include "ranking/registration.h"

namespace sim {
namespace {

namespace fs = std::filesystem;

// Text files of the game's folder that are not designs.
constexpr const char* kGameSettingsFiles[] = {"BootConfig.txt", "plane.txt", "zahyou.txt",
                                              platform::kSettingsFileName};

bool IsRankingFileName(const std::string& name) {
  if (name == ranking::kTableFileBaseName) return true;
  for (int i = 0; i < ranking::kEntryCount; ++i) {
    if (name == ranking::EntryFileBaseName(i)) return true;
  }
  return false;
}

// The folder's own name once links and ".." are resolved (as far as it exists).
std::string RealFolderName(const fs::path& folder) {
  std::error_code error;
  const fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : folder, error);
  if (error) return {};
  const fs::path real = fs::weakly_canonical(absolute, error);
  return error ? std::string() : real.filename().string();
}

// An existing file holds a design: the game's design file even when it is damaged (it
// is still the player's design), or any text the game reads as an aircraft file.
bool HoldsDesign(const std::string& path) {
  if (fs::path(path).filename() == ranking::kWorkingAircraftFile) return true;
  const auto text = platform::ReadFilePrefix(path, aircraft::kAircraftFileReadLimit);
  return text && aircraft::HasAircraftFileLayout(*text);
}

}  // namespace

bool IsGameSettingsFile(std::string_view fileName) {
  return std::ranges::find(kGameSettingsFiles, fileName) != std::end(kGameSettingsFiles);
}

bool IsRankingFile(const std::string& path) {
  const fs::path p = fs::path(path).lexically_normal();
  if (!IsRankingFileName(p.filename().string())) return false;
  return p.parent_path().filename() == ranking::kRankingFolder ||
         RealFolderName(p.parent_path()) == ranking::kRankingFolder;
}

OutputTarget CheckOutputTarget(const std::string& path) {
  if (path.empty()) return OutputTarget::Empty;
  std::error_code error;
  if (path.back() == '/' || fs::is_directory(path, error)) return OutputTarget::Folder;
  const fs::path p(path);
  if (IsGameSettingsFile(p.filename().string())) return OutputTarget::GameFile;
  if (IsRankingFile(path)) return OutputTarget::RankingFile;
  const fs::path folder = p.parent_path().empty() ? fs::path(".") : p.parent_path();
  if (!fs::is_directory(folder, error)) return OutputTarget::NoFolder;
  // A link counts as there even when it points nowhere: writing replaces it.
  return fs::exists(fs::symlink_status(p, error)) ? OutputTarget::Exists : OutputTarget::Free;
}

OutputTarget CheckExportTarget(const std::string& path) {
  const OutputTarget check = CheckOutputTarget(path);
  if (check == OutputTarget::Exists && HoldsDesign(path)) return OutputTarget::DesignFile;
  return check;
}

bool RefusesOutputTarget(OutputTarget check) { return check != OutputTarget::Free && check != OutputTarget::Exists; }

std::optional<std::string> CommandLineRefusal(OutputTarget check, const std::string& path, bool force) {
  const std::string refusing = "refusing to write " + path + ": ";
  switch (check) {
    case OutputTarget::Free:
    case OutputTarget::NoFolder: return std::nullopt;
    case OutputTarget::Exists:
      if (force) return std::nullopt;
      return path + " exists (add --force to replace it)";
    case OutputTarget::Empty: return std::string("an output file needs a name");
    case OutputTarget::Folder: return refusing + "it is a folder";
    case OutputTarget::GameFile: return refusing + "it is one of the game's settings or data files";
    case OutputTarget::RankingFile: return refusing + "it is a ranking file, which only the game writes";
    case OutputTarget::DesignFile: return refusing + "it is an aircraft file, and an export never replaces a design";
  }
  return std::nullopt;
}

}  // namespace sim
