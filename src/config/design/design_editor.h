#pragma once
// The design being edited: its values, where they came from, the file a save writes
// (normally "temp.txt", the one the game reads) and whether that file already holds
// them. Files are only ever read here, except by SaveDesign and SaveDesignAs.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/design/validation.h"
#include "config/files/aircraft_file_check.h"
#include "config/files/file_names.h"  // kDesignFileName
#include "flight/aircraft.h"

namespace config {

// The shipped default glider, for when there is no "temp.txt" to start from.
flight::AircraftSpec DefaultDesign();

struct DesignEditor {
  flight::AircraftSpec Spec;          // the values shown and edited
  std::string SourceName;             // file the values were read from; empty: the default design
  std::vector<FileProblem> Problems;  // of the last file opened
  std::string ProblemFile;            // the file Problems are about
  // The file a save writes: "temp.txt" until the design is saved under another name.
  std::string TargetName = kDesignFileName;
  // FormatAircraftSpec of what TargetName held when last read or saved; nothing while
  // there is no readable file by that name.
  std::optional<std::string> SavedText;
};

// Starts from "temp.txt", or from the default design when it cannot be read (then
// Problems says so and the design counts as unsaved).
DesignEditor StartEditor();

// Reads a design file (game file name, e.g. "rank\rank3.txt") with the game's own
// parser. A file that cannot be opened leaves the values as they are and adds a
// Missing problem; a readable one replaces them and reports its problems. A design
// opened from any file is saved to "temp.txt" again (the game's design); opening
// "temp.txt" also makes it the saved state.
bool OpenDesign(DesignEditor& editor, std::string_view gameFileName);

// The values differ from what TargetName holds (or there is no such file).
bool IsDirty(const DesignEditor& editor);

enum class SaveResult {
  Saved,
  Refused,          // a warning refuses the design; nothing was written
  WriteFailed,      // the file could not be written; the old one is untouched
  ReadBackDiffers,  // written, but it does not read back to the same values
};

// Writes the design to TargetName as a whole (temporary file, then rename), then reads
// it back with the game's parser to confirm the values.
SaveResult SaveDesign(DesignEditor& editor);
// The same save to another file (game or native name); once it is saved there, that
// file is the one later saves write and the design is compared with.
SaveResult SaveDesignAs(DesignEditor& editor, const std::string& fileName);

// Japanese (UTF-8) for the result of a save to "temp.txt" or to fileName. A design
// saved elsewhere is not what the game flies, and the text says so.
std::string DescribeSaveResult(SaveResult result);
std::string DescribeSaveResult(SaveResult result, const std::string& fileName);

// Two records that the file writer writes identically (and so the game reads alike).
bool SameDesign(const flight::AircraftSpec& a, const flight::AircraftSpec& b);

}  // namespace config
