#include "figure_row.h"

#include "platform/text/language.h"

namespace config {

void FigureRow(const char* name, const std::string& value, const char* unit, const ImVec4* colour,
               const char* tooltip) {
  static const ImVec4 kUnitGrey(0.45f, 0.45f, 0.45f, 1);
  ImGui::TableNextRow();
  ImGui::TableSetColumnIndex(0);
  ImGui::TextUnformatted(platform::TranslatedUtf8(name));
  if (tooltip && ImGui::IsItemHovered()) ImGui::SetTooltip("%s", tooltip);
  ImGui::TableSetColumnIndex(1);
  if (colour) {
    ImGui::TextColored(*colour, "%s", value.c_str());
  } else {
    ImGui::TextUnformatted(value.c_str());
  }
  ImGui::TableSetColumnIndex(2);
  ImGui::TextColored(kUnitGrey, "%s", platform::TranslatedUtf8(unit));
}

}  // namespace config
