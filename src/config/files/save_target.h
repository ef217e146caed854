#pragma once
// Which names a design may be saved under with "save as", and an export written to:
// the programs' shared rule (sim/output_target.h: not a folder, not one of the files
// the game itself reads or rewrites, in a folder that exists; an export never over a
// design), with the configurator's naming and its Japanese for a refused name. A name
// without an extension gets ".txt", the extension every design file has, so the file
// chooser lists it afterwards.
#include <string>
#include <string_view>

#include "sim/output_target.h"

namespace config {

using SaveTargetCheck = sim::OutputTarget;

// The name as it will be written: game separators turned into this system's, a
// missing extension made ".txt" (not to the name of an existing folder).
std::string SaveAsFileName(std::string_view typed);

// What stands in the way of writing `path` (as SaveAsFileName returned it).
inline SaveTargetCheck CheckSaveTarget(const std::string& path) { return sim::CheckOutputTarget(path); }

// The same for an export (a missing extension becomes ".csv"): an export never
// replaces a design either.
std::string ExportFileName(std::string_view typed);
using sim::CheckExportTarget;

// The check refuses the name outright (Free and Exists do not).
inline bool RefusesSaveTarget(SaveTargetCheck check) { return sim::RefusesOutputTarget(check); }

// Japanese (UTF-8) for a refused name.
std::string DescribeSaveTarget(SaveTargetCheck check, const std::string& shownName);

using sim::IsGameSettingsFile;  // BootConfig.txt and the game's other text files
using sim::IsRankingFile;       // the ranking's table and entries

}  // namespace config
