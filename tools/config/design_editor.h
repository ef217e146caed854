#pragma once
// The design being edited: its values, where they came from, and whether "temp.txt"
// already holds them. Files are only ever read here, except by SaveDesign.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_check.h"
#include "flight/aircraft.h"
#include "validation.h"

namespace config {

// The file the game reads the design from, in the working directory.
inline constexpr const char* kDesignFileName = "temp.txt";

// The shipped default glider, for when there is no "temp.txt" to start from.
flight::AircraftSpec DefaultDesign();

struct DesignEditor {
  flight::AircraftSpec Spec;          // the values shown and edited
  std::string SourceName;             // file the values were read from; empty: the default design
  std::vector<FileProblem> Problems;  // of the last file opened
  std::string ProblemFile;            // the file Problems are about
  // FormatAircraftSpec of what "temp.txt" held when last read or saved; nothing while
  // there is no readable "temp.txt".
  std::optional<std::string> SavedText;
};

// Starts from "temp.txt", or from the default design when it cannot be read (then
// Problems says so and the design counts as unsaved).
DesignEditor StartEditor();

// Reads a design file (game file name, e.g. "rank\rank3.txt") with the game's own
// parser. A file that cannot be opened leaves the values as they are and adds a
// Missing problem; a readable one replaces them and reports its problems. Opening
// "temp.txt" also makes it the saved state.
bool OpenDesign(DesignEditor& editor, std::string_view gameFileName);

// The values differ from what "temp.txt" holds (or there is no "temp.txt").
bool IsDirty(const DesignEditor& editor);

enum class SaveResult {
  Saved,
  Refused,          // a warning refuses the design; nothing was written
  WriteFailed,      // the file could not be written; the old one is untouched
  ReadBackDiffers,  // written, but it does not read back to the same values
};

// Writes the design to "temp.txt" as a whole (temporary file, then rename), then reads
// it back with the game's parser to confirm the values.
SaveResult SaveDesign(DesignEditor& editor);

// Japanese (UTF-8) for a failed save.
std::string DescribeSaveResult(SaveResult result);

// Two records that the file writer writes identically (and so the game reads alike).
bool SameDesign(const flight::AircraftSpec& a, const flight::AircraftSpec& b);

}  // namespace config
