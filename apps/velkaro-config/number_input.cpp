#include "number_input.h"

#include <imgui.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>

#include "aircraft/aircraft_file.h"
#include "platform/text/language.h"
#include "platform/ui_probe.h"

namespace config {
namespace {

constexpr size_t kTextBytes = 64;  // the longest exact double is 24 characters

struct FieldEdit {
  char Text[kTextBytes] = {};
  bool Editing = false;  // the field had the keyboard in the last frame
  bool Valid = true;
};

// Edit state per field, kept while the window lives.
std::unordered_map<ImGuiID, FieldEdit>& Edits() {
  static std::unordered_map<ImGuiID, FieldEdit> edits;
  return edits;
}

// The whole text is one finite number (blanks around it aside).
bool ParseWholeNumber(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  if (end == text) return false;
  while (*end == ' ') ++end;
  return *end == '\0' && value == value && value - value == 0;  // not nan, not inf
}

}  // namespace

bool InputExactNumber(const char* id, double* value, float width) {
  FieldEdit& edit = Edits()[ImGui::GetID(id)];
  if (!edit.Editing) {
    const std::string shown = aircraft::FormatExactNumber(*value);
    std::strncpy(edit.Text, shown.c_str(), kTextBytes - 1);
    edit.Valid = true;
  }
  if (!edit.Valid) ImGui::PushStyleColor(ImGuiCol_FrameBg, IM_COL32(255, 200, 200, 255));
  ImGui::SetNextItemWidth(width);
  const bool typed = ImGui::InputText(id, edit.Text, kTextBytes, ImGuiInputTextFlags_CharsScientific);
  if (platform::UiProbeRecording() && std::strncmp(id, "##", 2) == 0)
    platform::NameLastItem(id + 2, edit.Text);  // "##line6" is "line6"
  if (!edit.Valid) {
    ImGui::PopStyleColor();
    if (ImGui::IsItemHovered())
      ImGui::SetTooltip("%s", platform::TranslatedUtf8(N_("数値ではありません (値は変わっていません)")));
  }
  edit.Editing = ImGui::IsItemActive();
  if (!typed) return false;
  double parsed = 0;
  edit.Valid = ParseWholeNumber(edit.Text, parsed);
  if (!edit.Valid || parsed == *value) return false;
  *value = parsed;
  return true;
}

}  // namespace config
