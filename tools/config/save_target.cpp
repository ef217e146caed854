#include "save_target.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "aircraft/aircraft_file.h"
#include "design_editor.h"
#include "file_check.h"
#include "platform/files.h"
#include "ranking/ranking_table.h"

namespace config {
namespace {

namespace fs = std::filesystem;

// Text files of the game's folder that are not designs.
constexpr const char* kGameSettingsFiles[] = {"BootConfig.txt", "plane.txt", "zahyou.txt"};
constexpr const char* kDesignExtension = ".txt";
constexpr const char* kExportExtension = ".csv";

// The typed name as this system names it, with an extension when it has none.
std::string WithExtension(std::string_view typed, const char* extension) {
  std::string path = platform::NativePath(typed);
  std::error_code error;
  if (fs::is_directory(path, error)) return path;  // refused as it is, never "folder.txt"
  const size_t slash = path.rfind('/');
  const std::string_view name = std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
  // "." and ".." are folders, not names waiting for an extension.
  const bool hasExtension = name.find('.') != std::string_view::npos;
  if (!name.empty() && !hasExtension) path += extension;
  return path;
}

}  // namespace

bool IsGameSettingsFile(std::string_view fileName) {
  return std::ranges::find(kGameSettingsFiles, fileName) != std::end(kGameSettingsFiles);
}

bool IsRankingFile(const std::string& path) {
  const fs::path p = fs::path(path).lexically_normal();
  if (p.parent_path().filename() != ranking::kRankingFolder) return false;
  const std::string name = p.filename().string();
  if (name == ranking::kTableFileBaseName) return true;
  for (int i = 0; i < ranking::kEntryCount; ++i) {
    if (name == ranking::EntryFileBaseName(i)) return true;
  }
  return false;
}

std::string SaveAsFileName(std::string_view typed) { return WithExtension(typed, kDesignExtension); }

std::string ExportFileName(std::string_view typed) { return WithExtension(typed, kExportExtension); }

SaveTargetCheck CheckSaveTarget(const std::string& path) {
  if (path.empty()) return SaveTargetCheck::Empty;
  std::error_code error;
  if (path.back() == '/' || fs::is_directory(path, error)) return SaveTargetCheck::Folder;
  const fs::path p(path);
  if (IsGameSettingsFile(p.filename().string())) return SaveTargetCheck::GameFile;
  if (IsRankingFile(path)) return SaveTargetCheck::RankingFile;
  const fs::path folder = p.parent_path().empty() ? fs::path(".") : p.parent_path();
  if (!fs::is_directory(folder, error)) return SaveTargetCheck::NoFolder;
  // A link counts as there even when it points nowhere: saving replaces it.
  return fs::exists(fs::symlink_status(p, error)) ? SaveTargetCheck::Exists : SaveTargetCheck::Free;
}

SaveTargetCheck CheckExportTarget(const std::string& path) {
  const SaveTargetCheck check = CheckSaveTarget(path);
  if (check != SaveTargetCheck::Exists) return check;
  // The game's design file even when it is damaged: it is still the player's design.
  if (fs::path(path).filename() == kDesignFileName) return SaveTargetCheck::DesignFile;
  const auto text = platform::ReadFilePrefix(path, aircraft::kAircraftFileReadLimit);
  if (text && KeepsLinesInStep(CheckAircraftFileText(*text))) return SaveTargetCheck::DesignFile;
  return check;
}

bool RefusesSaveTarget(SaveTargetCheck check) {
  return check != SaveTargetCheck::Free && check != SaveTargetCheck::Exists;
}

std::string DescribeSaveTarget(SaveTargetCheck check, const std::string& shownName) {
  const std::string quoted = "「" + shownName + "」";
  switch (check) {
    case SaveTargetCheck::Free: return quoted + "に保存できます。";
    case SaveTargetCheck::Exists: return quoted + "は既にあります。置き換えますか?";
    case SaveTargetCheck::Empty: return "ファイル名を入れてください。";
    case SaveTargetCheck::Folder: return quoted + "はフォルダです。ファイル名を入れてください。";
    case SaveTargetCheck::NoFolder: return quoted + "のフォルダがありません。";
    case SaveTargetCheck::GameFile: return quoted + "はゲームの設定ファイルです。設計を保存する名前にはできません。";
    case SaveTargetCheck::RankingFile:
      return quoted + "はランキングのファイルで、ゲームが登録のたびに書き換えます。設計は別の名前で保存してください。";
    case SaveTargetCheck::DesignFile: return quoted + "は機体の設計ファイルです。図表で上書きはしません。";
  }
  return {};
}

}  // namespace config
