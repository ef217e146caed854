#include "platform/sdl/ui_dialogs.h"

#include <imgui.h>

#include <cstring>

namespace platform {
namespace {

constexpr float kButtonWidth = 80, kNameOkWidth = 60, kNameFieldWidth = 220;  // px

// Opens the modal dialog `title` at the centre of the window, as tall and wide as what
// it holds; true while it shows (then ImGui::EndPopup closes it).
bool BeginCentredDialog(const char* title) {
  ImGui::OpenPopup(title);
  const ImVec2 centre = ImGui::GetMainViewport()->GetCenter();
  ImGui::SetNextWindowPos(centre, ImGuiCond_Always, ImVec2(0.5f, 0.5f));  // the window's own centre
  return ImGui::BeginPopupModal(title, nullptr, ImGuiWindowFlags_AlwaysAutoResize);
}

bool KeyPressed(ImGuiKey key) { return ImGui::IsKeyPressed(ImGui::GetKeyIndex(key)); }

}  // namespace

void DrawMenuBar(const std::vector<MenuPopup>& menu, const std::map<int, bool>& checks, bool enabled,
                 std::deque<WindowMessage>& chosen) {
  if (!ImGui::BeginMainMenuBar()) return;
  if (!enabled) ImGui::BeginDisabled();
  for (const MenuPopup& popup : menu) {
    if (!ImGui::BeginMenu(popup.Text.c_str())) continue;
    for (const MenuItem& item : popup.Items) {
      if (item.CommandId == 0) {
        ImGui::Separator();
        continue;
      }
      const auto check = checks.find(item.CommandId);
      const bool checked = check != checks.end() && check->second;
      if (ImGui::MenuItem(item.Text.c_str(), nullptr, checked, item.Enabled))
        chosen.push_back({WindowMessage::Command, item.CommandId});
    }
    if (KeyPressed(ImGuiKey_Escape)) ImGui::CloseCurrentPopup();
    ImGui::EndMenu();
  }
  if (!enabled) ImGui::EndDisabled();
  ImGui::EndMainMenuBar();
}

bool DrawWarningBox(const char* caption, const std::string& utf8Text) {
  bool done = false;
  if (BeginCentredDialog(caption)) {
    ImGui::TextUnformatted(utf8Text.c_str());
    ImGui::Spacing();
    done = ImGui::Button("OK", ImVec2(kButtonWidth, 0)) || KeyPressed(ImGuiKey_Enter);
    ImGui::SameLine();
    done = ImGui::Button("Cancel", ImVec2(kButtonWidth, 0)) || KeyPressed(ImGuiKey_Escape) || done;
    if (done) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
  }
  return done;
}

bool DrawNameDialog(NameDialog& dialog, const char* title, const char* prompt) {
  bool done = false;
  // No close box: the dialog is left only with OK.
  if (BeginCentredDialog(title)) {
    ImGui::TextUnformatted(prompt);
    // The edit box reverts its text on Esc; the name typed so far stays all the same.
    char kept[NameDialog::kNameBufferBytes];
    std::memcpy(kept, dialog.Name, sizeof kept);
    ImGui::SetNextItemWidth(kNameFieldWidth);
    ImGui::InputText("##name", dialog.Name, sizeof dialog.Name);
    const bool editing = ImGui::IsItemActive();
    if (KeyPressed(ImGuiKey_Escape)) std::memcpy(dialog.Name, kept, sizeof kept);
    // Whatever took the keyboard away (an Esc, a click beside the box), it comes back
    // once no button is being pressed, so a click on OK still counts.
    if (!editing && !ImGui::IsAnyItemActive() && !ImGui::IsMouseDown(ImGuiMouseButton_Left)) {
      ImGui::SetKeyboardFocusHere(-1);
    }
    ImGui::SameLine();
    done =
        ImGui::Button("OK", ImVec2(kNameOkWidth, 0)) || KeyPressed(ImGuiKey_Enter) || KeyPressed(ImGuiKey_KeyPadEnter);
    if (done) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
  }
  return done;
}

}  // namespace platform
