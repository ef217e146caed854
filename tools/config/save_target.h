#pragma once
// Which names a design may be saved under with "save as": not a folder, not one of the
// files the game itself reads or rewrites (its boot settings, the ranking's table and
// entry files), in a folder that exists. A name without an extension gets ".txt", the
// extension every design file has, so the file chooser lists it afterwards.
#include <string>
#include <string_view>

namespace config {

enum class SaveTargetCheck {
  Free,         // nothing by that name yet
  Exists,       // a file (or a link) is there: ask before replacing it
  Empty,        // no name given
  Folder,       // a folder by that name, or a name ending in a separator
  NoFolder,     // the folder it would go into does not exist
  GameFile,     // BootConfig.txt and the game's other settings and data files
  RankingFile,  // the ranking's table or an entry: the game rewrites those
  DesignFile,   // an export over a design (temp.txt or another aircraft file)
};

// The name as it will be written: game separators turned into this system's, a
// missing extension made ".txt" (not to the name of an existing folder).
std::string SaveAsFileName(std::string_view typed);

// What stands in the way of writing `path` (as SaveAsFileName returned it).
SaveTargetCheck CheckSaveTarget(const std::string& path);

// The same for an export (a missing extension becomes ".csv"): an export never
// replaces a design either.
std::string ExportFileName(std::string_view typed);
SaveTargetCheck CheckExportTarget(const std::string& path);

// The check refuses the name outright (Free and Exists do not).
bool RefusesSaveTarget(SaveTargetCheck check);

// Japanese (UTF-8) for a refused name.
std::string DescribeSaveTarget(SaveTargetCheck check, const std::string& shownName);

// Names of the game's own text files that are not designs (BootConfig.txt, ...).
bool IsGameSettingsFile(std::string_view fileName);

// A ranking entry ("rank%d.txt") or the ranking table ("Ranking.txt") in a folder
// named "rank".
bool IsRankingFile(const std::string& path);

}  // namespace config
