#include "file_dropdown.h"

#include <imgui.h>
#include <imgui_internal.h>  // GetActiveID: whether Enter was pressed in the field

#include "config/design/design_document.h"
#include "config/files/open_choices.h"
#include "platform/text/language.h"
#include "platform/ui_probe.h"

namespace config {
namespace {

constexpr float kComboWidth = 260;  // px
constexpr float kFieldWidth = 220;  // px

void Choice(const char* label, const std::string& gameFileName, bool enabled, std::string& chosen) {
  ImGui::BeginDisabled(!enabled);
  if (ImGui::Selectable(label)) chosen = gameFileName;
  ImGui::EndDisabled();
}

}  // namespace

std::string DrawFileDropdown(FileDropdown& pick, const char* id, const char* preview, const char* button) {
  ImGui::PushID(id);
  std::string chosen;
  ImGui::SetNextItemWidth(kComboWidth);
  if (ImGui::BeginCombo("##files", preview, ImGuiComboFlags_HeightLarge)) {
    Choice(kDesignFileName, kDesignFileName, true, chosen);
    ImGui::Separator();
    for (const RankingChoice& choice : RankingChoices()) {
      Choice(choice.Label.c_str(), choice.GameFileName, choice.Exists, chosen);
    }
    ImGui::Separator();
    for (const std::string& name : OtherTextFiles()) Choice(name.c_str(), name, true, chosen);
    ImGui::EndCombo();
  }
  ImGui::SameLine();
  ImGui::SetNextItemWidth(kFieldWidth);
  // The field keeps the text it shows at every keystroke, so a click on the button
  // right after the last character still sees it; Enter in the field counts as the click.
  const bool typing = ImGui::GetActiveID() == ImGui::GetID("##path");
  ImGui::InputTextWithHint("##path", platform::TranslatedUtf8(N_("ファイル名 (例: rank/rank3.txt)")), pick.Typed,
                           sizeof pick.Typed);
  if (platform::UiProbeRecording())
    platform::NameLastItem(std::string(id) + ".path", pick.Typed);  // "flight_file.path"
  const bool entered = typing && ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter));
  ImGui::SameLine();
  const bool clicked = ImGui::Button(button);
  if (platform::UiProbeRecording()) platform::NameLastItem(std::string(id) + ".button");
  if ((clicked || entered) && pick.Typed[0] != '\0') chosen = pick.Typed;
  ImGui::PopID();
  return chosen;
}

}  // namespace config
