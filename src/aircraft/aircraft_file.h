#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "flight/aircraft.h"

namespace aircraft {

// The aircraft file: 49 lines of headings ("any text"), value lines ("label,value")
// and list lines ("label,v,v,...,v," with a comma after every value). Only the kinds and
// the order of the lines matter; labels are never interpreted. Later lines (a ranking
// entry's control log) are never read.
inline constexpr int kAircraftFileLines = 49;

// Reads the text the way the game always has: a missing or unreadable value is 0, a
// list line without its last comma shifts every later list value, a field of 256 or
// more characters ends the reading. TimeStep is 0.02 and section 0 is always enabled.
flight::AircraftSpec ParseAircraftSpecText(std::string_view text);

// The text holds the 49 lines and the game reads each of them in its place: every value
// line has its comma, every list line its values each followed by a comma, no field is
// too long to read. Such a text is an aircraft file (or a ranking entry, which starts
// with one) whatever its values are; any other text is read out of step or not at all.
bool HasAircraftFileLayout(std::string_view text);

// The file's text as the game reads it; nothing, after the game's warning, when it
// cannot be opened.
std::optional<std::string> ReadAircraftFile(std::string_view gameFileName);

// Reads the file and hands its values to SetSpec. When the file cannot be opened the
// game's warning is shown, SetSpec is not called and false is returned.
bool ParseAircraftSpec(flight::Aircraft& aircraft, std::string_view gameFileName);

// The file's 49 lines with Japanese Shift-JIS labels and CR LF line ends. Every number
// is written in its shortest form that reads back to the very same double.
std::string FormatAircraftSpec(const flight::AircraftSpec& spec);

// Shortest text that converts back to exactly this double.
std::string FormatExactNumber(double value);

// Upper bound on the bytes of an aircraft file that reading can consume.
inline constexpr size_t kAircraftFileReadLimit = 1 << 20;

}  // namespace aircraft
