#pragma once
// Which files a program may write under a name its user gave (the configurator's save
// as, its exports and the coach's entry file; velkaro-sim's --out and --csv): never a
// folder, never one of the files the game itself reads or rewrites (its settings and
// data files, the ranking's table and entries), and an existing file only once the
// user has said so: the configurator asks, a command line takes --force. Every such
// file is then written as a whole (platform::WriteFileAtomically).
#include <optional>
#include <string>
#include <string_view>

namespace sim {

enum class OutputTarget {
  Free,         // nothing by that name yet
  Exists,       // a file (or a link) is there: ask before replacing it
  Empty,        // no name given
  Folder,       // a folder by that name, or a name ending in a separator
  NoFolder,     // the folder it would go into does not exist
  GameFile,     // BootConfig.txt and the game's other settings and data files
  RankingFile,  // the ranking's table or an entry: the game rewrites those
  DesignFile,   // an export over a design (temp.txt or another aircraft file)
};

// What stands in the way of writing `path` (a name of this system, as
// platform::NativePath gives it) with a design or a ranking entry.
OutputTarget CheckOutputTarget(const std::string& path);

// The same for an export (figures, a flight record): an export never replaces a
// design either.
OutputTarget CheckExportTarget(const std::string& path);

// The check refuses the name outright (Free and Exists do not).
bool RefusesOutputTarget(OutputTarget check);

// Names of the game's own text files that are not designs (BootConfig.txt, ...).
bool IsGameSettingsFile(std::string_view fileName);

// A ranking entry ("rank%d.txt") or the ranking table ("Ranking.txt") in a folder
// named "rank": by the name as given, and by the folder's real name once links and
// ".." are resolved (a link to the ranking's folder is that folder).
bool IsRankingFile(const std::string& path);

// Why a command line must not write `path` (English, for standard error), or nothing
// when it may: a refused name never, an existing file only with --force (`force`). A
// missing folder is left to the write, which then fails and says so.
std::optional<std::string> CommandLineRefusal(OutputTarget check, const std::string& path, bool force);

}  // namespace sim
