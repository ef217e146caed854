#include "modal_popup.h"

#include <imgui.h>

#include "shown_label.h"

namespace config {

bool BeginModal(const char* name, bool shown) {
  const std::string title = StableLabel(name);
  if (shown && !ImGui::IsPopupOpen(title.c_str())) ImGui::OpenPopup(title.c_str());
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Always, ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowSizeConstraints(ImVec2(360, 0), ImVec2(720, 640));
  return ImGui::BeginPopupModal(title.c_str(), nullptr, ImGuiWindowFlags_AlwaysAutoResize);
}

bool CancelPressed() {
  return ImGui::Button(platform::TranslatedUtf8(N_("キャンセル"))) ||
         ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape));
}

bool OkPressed() {
  constexpr float kOkWidth = 80;  // px
  // Not in the frame the notice appears: the Enter that confirmed a typed name would
  // otherwise close the notice it caused before it was ever drawn.
  const bool enter = !ImGui::IsWindowAppearing() && ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter));
  return ImGui::Button("OK", ImVec2(kOkWidth, 0)) || enter;
}

void CloseModal(bool& flag) {
  flag = false;
  ImGui::CloseCurrentPopup();
}

ReplaceAnswer AskToReplace(const char* name, bool& asking, const std::string& question) {
  if (!BeginModal(name, asking)) return ReplaceAnswer::None;
  constexpr float kWrapAt = 680;  // px, inside the popup's widest size
  ImGui::PushTextWrapPos(kWrapAt);
  ImGui::TextUnformatted(question.c_str());
  ImGui::PopTextWrapPos();
  ImGui::Spacing();
  ReplaceAnswer answer = ReplaceAnswer::None;
  if (ImGui::Button(platform::TranslatedUtf8(N_("置き換える")))) answer = ReplaceAnswer::Replace;
  ImGui::SameLine();
  if (answer == ReplaceAnswer::None && CancelPressed()) answer = ReplaceAnswer::Cancel;
  if (answer != ReplaceAnswer::None) CloseModal(asking);
  ImGui::EndPopup();
  return answer;
}

}  // namespace config
