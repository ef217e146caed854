#pragma once
// One row of a figures table: the figure's name (an N_ text), its value (coloured when
// asked), its unit in grey, and what it is on hover when a tooltip is given.
#include <imgui.h>

#include <string>

namespace config {

void FigureRow(const char* name, const std::string& value, const char* unit, const ImVec4* colour = nullptr,
               const char* tooltip = nullptr);

}  // namespace config
