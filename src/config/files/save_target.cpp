#include "config/files/save_target.h"

#include <filesystem>

#include "platform/io/files.h"
#include "platform/text/language.h"

namespace config {
namespace {

namespace fs = std::filesystem;

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

std::string SaveAsFileName(std::string_view typed) { return WithExtension(typed, kDesignExtension); }

std::string ExportFileName(std::string_view typed) { return WithExtension(typed, kExportExtension); }

std::string DescribeSaveTarget(SaveTargetCheck check, const std::string& shownName) {
  const auto said = [&](const char* format) {
    return platform::Formatted(platform::TranslatedUtf8(format), shownName.c_str());
  };
  switch (check) {
    case SaveTargetCheck::Free: return said(N_("「%s」に保存できます。"));
    case SaveTargetCheck::Exists: return said(N_("「%s」は既にあります。置き換えますか?"));
    case SaveTargetCheck::Empty: return platform::TranslatedUtf8(N_("ファイル名を入れてください。"));
    case SaveTargetCheck::Folder: return said(N_("「%s」はフォルダです。ファイル名を入れてください。"));
    case SaveTargetCheck::NoFolder: return said(N_("「%s」のフォルダがありません。"));
    case SaveTargetCheck::GameFile:
      return said(N_("「%s」はゲームの設定ファイルです。設計を保存する名前にはできません。"));
    case SaveTargetCheck::RankingFile:
      return said(
          N_("「%s」はランキングのファイルで、ゲームが登録のたびに書き換えます。設計は別の名前で保存してください。"));
    case SaveTargetCheck::DesignFile: return said(N_("「%s」は機体の設計ファイルです。図表で上書きはしません。"));
  }
  return {};
}

}  // namespace config
