#pragma once
#include <string>

namespace league {

// The label of aircraft file line `line` (1 .. 49) as the game writes it, in UTF-8
// ("風速[m/s]"); "" for a heading or a line out of range.
std::string FieldLabel(int line);

}  // namespace league
