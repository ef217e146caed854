#pragma once
// The aircraft file's 49 lines as the configurator presents them: which value each
// line holds, its Japanese name and unit (UTF-8, for the screen), and the group it is
// shown in. The file's Shift-JIS labels belong to aircraft::FormatAircraftSpec; this
// table only has to agree with it on the kind and the order of the lines.
#include <array>
#include <span>

#include "flight/aircraft.h"

namespace config {

enum class LineKind {
  Heading,      // any text, ignored
  Ignored,      // label,value with the value dropped (line 1)
  Value,        // label,value (double)
  Height,       // label,value: the launch height, kept negated as StartZ
  Integer,      // label,value (32-bit integer: the strip-model switch)
  EnabledList,  // label,v,v,v, : SectionEnabled[1..3]
  SectionList,  // label,v,v,v,v, : one of the section arrays
};

// Where a line's values are shown.
enum class Group {
  None,         // headings and line 1
  Start,        // start conditions and wind
  Mass,         // masses and balance
  Wing,         // main wing
  WingAirfoil,  // main-wing section data
  Tail,         // tail
  TailAirfoil,  // tail section data
  Strips,       // strip model, wing mass, centre width and the four sections
};

using DoubleField = double& (*)(flight::AircraftSpec&);
using SectionField = std::array<double, 4>& (*)(flight::AircraftSpec&);

struct FileLine {
  int Number;  // 1 .. 49
  LineKind Kind;
  Group Shown;
  const char* Name;                // UTF-8, an N_ text: shown through platform::TranslatedUtf8
  const char* Unit;                // UTF-8 (an N_ text where it has words); "" for a plain number
  DoubleField Value = nullptr;     // Value and Height lines
  SectionField Section = nullptr;  // SectionList lines
};

inline constexpr int kFileLineCount = 49;
inline constexpr int kSectionCount = 4;

// The lines in file order: FileLines()[n - 1] is line n.
std::span<const FileLine, kFileLineCount> FileLines();

// Values a list line holds (3 for the enabled flags, 4 for a section array), 0 for
// other lines.
int ListValueCount(LineKind kind);

// Heading text of a group (UTF-8, an N_ text).
const char* GroupTitle(Group group);

// The launch height as the file and the screen give it (m, upward), from StartZ.
inline double LaunchHeight(const flight::AircraftSpec& spec) { return -spec.StartZ + 0.0; }
inline void SetLaunchHeight(flight::AircraftSpec& spec, double height) { spec.StartZ = -height; }

}  // namespace config
