#include "platform/sdl/ui_dialogs.h"

#include <imgui.h>
#include <imgui_internal.h>  // the edit box's caret and scroll, to put the pre-edit text there

#include <cstring>

#include "platform/text/language.h"
#include "platform/text/shift_jis.h"
#include "platform/ui_probe.h"

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

// The name's edit box: black text on white inside a dark border, so it stands out
// from the dialog's light background.
constexpr ImU32 kFieldBackground = IM_COL32(255, 255, 255, 255);
constexpr ImU32 kFieldText = IM_COL32(0, 0, 0, 255);
constexpr ImU32 kFieldBorder = IM_COL32(64, 64, 64, 255);
constexpr float kFieldBorderPx = 1.0f;
constexpr ImU32 kRefusedText = IM_COL32(192, 0, 0, 255);
constexpr float kPreeditLinePx = 1.0f;              // the underline and the cursor of the pre-edit text
constexpr unsigned kReplacementCharacter = 0xFFFD;  // what the UI makes of characters beyond 16 bits

std::string Utf8Of(unsigned codepoint) {
  char text[5] = {};
  ImWchar wide[2] = {static_cast<ImWchar>(codepoint), 0};
  ImTextStrToUtf8(text, sizeof text, wide, nullptr);
  return text;
}

// The first `characters` characters of a UTF-8 text.
std::string Utf8Prefix(const std::string& utf8, int characters) {
  size_t end = 0;
  for (int i = 0; i < characters && end < utf8.size(); ++i) {
    unsigned int ignored = 0;
    end += static_cast<size_t>(ImTextCharFromUtf8(&ignored, utf8.c_str() + end, utf8.c_str() + utf8.size()));
  }
  return utf8.substr(0, end);
}

int FilterNameCharacter(ImGuiInputTextCallbackData* data) {
  auto& dialog = *static_cast<NameDialog*>(data->UserData);
  if (NameCharacterAccepted(data->EventChar)) {
    dialog.Refused.clear();
    return 0;
  }
  dialog.Refused = Utf8Of(data->EventChar);
  return 1;  // dropped
}

// The edit box's caret in window pixels: after the text up to the cursor while the box
// is being edited, else after the whole text.
float CaretX(const NameDialog& dialog, ImVec2 boxMin) {
  const float textLeft = boxMin.x + ImGui::GetStyle().FramePadding.x;
  const ImGuiInputTextState* state = ImGui::GetInputTextState(ImGui::GetItemID());
  if (!state) return textLeft + ImGui::CalcTextSize(dialog.Name).x;
  const std::string before = Utf8Prefix(dialog.Name, state->GetCursorPos());
  return textLeft + ImGui::CalcTextSize(before.c_str()).x - state->ScrollX;
}

// The input method's pre-edit text at the caret, over what follows it, underlined and
// with its own cursor.
void DrawPreedit(const NameDialog& dialog, float caretX, ImVec2 boxMin, ImVec2 boxMax) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const ImVec2 size = ImGui::CalcTextSize(dialog.Composition.c_str());
  const float top = boxMin.y + ImGui::GetStyle().FramePadding.y;
  const float baseline = top + ImGui::GetFontSize();
  draw->PushClipRect(boxMin, boxMax, true);
  draw->AddRectFilled(ImVec2(caretX, boxMin.y + kFieldBorderPx), ImVec2(caretX + size.x, boxMax.y - kFieldBorderPx),
                      kFieldBackground);
  draw->AddText(ImVec2(caretX, top), kFieldText, dialog.Composition.c_str());
  draw->AddLine(ImVec2(caretX, baseline), ImVec2(caretX + size.x, baseline), kFieldText, kPreeditLinePx);
  const float cursorX =
      caretX + ImGui::CalcTextSize(Utf8Prefix(dialog.Composition, dialog.CompositionCursor).c_str()).x;
  draw->AddLine(ImVec2(cursorX, top), ImVec2(cursorX, baseline), kFieldText, kPreeditLinePx);
  draw->PopClipRect();
}

// The name's edit box with its look, its character filter and the pre-edit text; says
// where the text goes in.
// The dialogs' edit boxes, until PopFieldStyle.
void PushFieldStyle() {
  ImGui::PushStyleColor(ImGuiCol_FrameBg, kFieldBackground);
  ImGui::PushStyleColor(ImGuiCol_FrameBgHovered, kFieldBackground);
  ImGui::PushStyleColor(ImGuiCol_FrameBgActive, kFieldBackground);
  ImGui::PushStyleColor(ImGuiCol_Text, kFieldText);
  ImGui::PushStyleColor(ImGuiCol_Border, kFieldBorder);
  ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, kFieldBorderPx);
}
void PopFieldStyle() {
  ImGui::PopStyleVar();
  ImGui::PopStyleColor(5);
}

void NameField(NameDialog& dialog) {
  PushFieldStyle();
  ImGui::SetNextItemWidth(kNameFieldWidth);
  ImGui::InputText("##name", dialog.Name, sizeof dialog.Name, ImGuiInputTextFlags_CallbackCharFilter,
                   FilterNameCharacter, &dialog);
  const ImVec2 boxMin = ImGui::GetItemRectMin(), boxMax = ImGui::GetItemRectMax();
  const float caretX = CaretX(dialog, boxMin);
  if (!dialog.Composition.empty()) DrawPreedit(dialog, caretX, boxMin, boxMax);
  PopFieldStyle();
  dialog.TextInputArea = {caretX, boxMin.y, boxMax.x - caretX, boxMax.y - boxMin.y};
}

// The UI reads "##" in a label as the start of a hidden identifier; texts that come
// from the player (ranking names) must show whole, so each "##" is split.
std::string ShownLabel(const std::string& text) {
  std::string label;
  for (char c : text) {
    if (c == '#' && !label.empty() && label.back() == '#') label += ' ';
    label += c;
  }
  return label;
}

// The probe's name of a menu item: "menu." and its command, which stays when its text
// changes; an item without one (a submenu, a menu of the bar) by its text.
std::string MenuItemName(const MenuItem& item) {
  return "menu." + (item.CommandId != 0 ? std::to_string(item.CommandId) : item.Text);
}

void DrawMenuItems(const std::vector<MenuItem>& items, const std::map<int, bool>& checks,
                   std::deque<WindowMessage>& chosen) {
  for (size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    if (item.CommandId == 0 && item.Submenu.empty()) {
      ImGui::Separator();
      continue;
    }
    ImGui::PushID(static_cast<int>(i));  // equal texts stay apart
    const std::string label = ShownLabel(TranslatedUtf8(item.Text.c_str()));
    if (!item.Submenu.empty()) {
      if (ImGui::BeginMenu(label.c_str(), item.Enabled)) {
        if (UiProbeRecording()) NameCurrentWindow(MenuItemName(item));
        DrawMenuItems(item.Submenu, checks, chosen);
        ImGui::EndMenu();  // the submenu's own item is the last one again
      }
      if (UiProbeRecording()) NameLastItem(MenuItemName(item));
    } else {
      const auto check = checks.find(item.CommandId);
      const bool checked = check != checks.end() && check->second;
      if (ImGui::MenuItem(label.c_str(), nullptr, checked, item.Enabled))
        chosen.push_back({WindowMessage::Command, item.CommandId});
      if (UiProbeRecording()) NameLastItem(MenuItemName(item), checked ? "checked" : nullptr);
    }
    ImGui::PopID();
  }
}

MenuItem* FindIn(std::vector<MenuItem>& items, int commandId) {
  for (MenuItem& item : items) {
    if (item.CommandId == commandId && commandId != 0) return &item;
    if (MenuItem* inner = FindIn(item.Submenu, commandId)) return inner;
  }
  return nullptr;
}

}  // namespace

MenuItem* FindMenuItem(std::vector<MenuPopup>& menu, int commandId) {
  for (MenuPopup& popup : menu) {
    if (MenuItem* item = FindIn(popup.Items, commandId)) return item;
  }
  return nullptr;
}

void DrawMenuBar(const std::vector<MenuPopup>& menu, const std::map<int, bool>& checks, bool enabled,
                 std::deque<WindowMessage>& chosen) {
  if (!ImGui::BeginMainMenuBar()) return;
  NameCurrentWindow("menubar");
  if (!enabled) ImGui::BeginDisabled();
  for (const MenuPopup& popup : menu) {
    const bool open = ImGui::BeginMenu(TranslatedUtf8(popup.Text.c_str()));
    if (open) {
      if (UiProbeRecording()) NameCurrentWindow("menu." + popup.Text);
      DrawMenuItems(popup.Items, checks, chosen);
      if (KeyPressed(ImGuiKey_Escape)) ImGui::CloseCurrentPopup();
      ImGui::EndMenu();  // the menu's own item on the bar is the last one again
    }
    if (UiProbeRecording()) NameLastItem("menu." + popup.Text);
  }
  if (!enabled) ImGui::EndDisabled();
  ImGui::EndMainMenuBar();
}

bool DrawWarningBox(const char* caption, const std::string& utf8Text) {
  bool done = false;
  if (BeginCentredDialog(caption)) {
    NameCurrentWindow("warning");
    ImGui::TextUnformatted(utf8Text.c_str());
    ImGui::Spacing();
    done = ImGui::Button("OK", ImVec2(kButtonWidth, 0)) || KeyPressed(ImGuiKey_Enter);
    NameLastItem("warning.ok");
    ImGui::SameLine();
    done = ImGui::Button("Cancel", ImVec2(kButtonWidth, 0)) || KeyPressed(ImGuiKey_Escape) || done;
    NameLastItem("warning.cancel");
    if (done) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
  }
  return done;
}

bool DrawNameDialog(NameDialog& dialog, const char* title, const char* prompt) {
  bool done = false;
  // No close box: the dialog is left only with OK.
  if (BeginCentredDialog(title)) {
    NameCurrentWindow("name");
    ImGui::TextUnformatted(prompt);
    // The edit box reverts its text on Esc; the name typed so far stays all the same.
    char kept[NameDialog::kNameBufferBytes];
    std::memcpy(kept, dialog.Name, sizeof kept);
    NameField(dialog);
    NameLastItem("name.field", dialog.Name);
    const bool editing = ImGui::IsItemActive();
    if (KeyPressed(ImGuiKey_Escape)) std::memcpy(dialog.Name, kept, sizeof kept);
    // Whatever took the keyboard away (an Esc, a click beside the box), it comes back
    // once no button is being pressed, so a click on OK still counts.
    if (!editing && !ImGui::IsAnyItemActive() && !ImGui::IsMouseDown(ImGuiMouseButton_Left)) {
      ImGui::SetKeyboardFocusHere(-1);
    }
    ImGui::SameLine();
    // While an input method composes, Enter is its own (it takes the composition).
    const bool enter = dialog.Composition.empty() && (KeyPressed(ImGuiKey_Enter) || KeyPressed(ImGuiKey_KeyPadEnter));
    done = ImGui::Button("OK", ImVec2(kNameOkWidth, 0)) || enter;
    NameLastItem("name.ok");
    // A character the ranking's Shift-JIS cannot hold.
    if (!dialog.Refused.empty()) {
      ImGui::TextColored(ImGui::ColorConvertU32ToFloat4(kRefusedText), TranslatedUtf8(N_("「%s」は名前に使えません")),
                         dialog.Refused.c_str());
    }
    if (done) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
  }
  return done;
}

bool NameCharacterAccepted(unsigned codepoint) {
  if (codepoint == kReplacementCharacter || codepoint == 0) return false;
  return codepoint == '?' || Utf8ToShiftJis(Utf8Of(codepoint)) != "?";
}

namespace {

constexpr float kLeagueFieldWidth = 320;  // px

int AcceptShiftJisCharacter(ImGuiInputTextCallbackData* data) { return NameCharacterAccepted(data->EventChar) ? 0 : 1; }

}  // namespace

DialogEnd DrawLeagueDialog(LeagueDialog& dialog, const std::vector<std::string>& contests,
                           const std::string& shownToken) {
  DialogEnd end = DialogEnd::Open;
  if (BeginCentredDialog(TranslatedUtf8(N_("リーグ")))) {
    NameCurrentWindow("league");
    ImGui::TextUnformatted(TranslatedUtf8(N_("リーグのアドレス (空のときは送りません)")));
    PushFieldStyle();
    // The address takes the keyboard when the dialog opens.
    if (ImGui::IsWindowAppearing()) ImGui::SetKeyboardFocusHere();
    ImGui::SetNextItemWidth(kLeagueFieldWidth);
    ImGui::InputText("##address", dialog.Address, sizeof dialog.Address, ImGuiInputTextFlags_CharsNoBlank);
    PopFieldStyle();
    NameLastItem("league.address", dialog.Address);
    ImGui::TextUnformatted(TranslatedUtf8(N_("コンテスト")));
    PushFieldStyle();  // the unchosen buttons are outlined, not white on white
    for (size_t i = 0; i < contests.size(); ++i) {
      if (i > 0) ImGui::SameLine();
      ImGui::RadioButton(contests[i].c_str(), &dialog.Contest, static_cast<int>(i));
      NameLastItem(("league.contest." + contests[i]).c_str());
    }
    PopFieldStyle();
    ImGui::TextUnformatted(TranslatedUtf8(N_("パイロット名")));
    PushFieldStyle();
    ImGui::SetNextItemWidth(kLeagueFieldWidth);
    ImGui::InputText("##pilot", dialog.Pilot, sizeof dialog.Pilot, ImGuiInputTextFlags_CallbackCharFilter,
                     AcceptShiftJisCharacter);
    PopFieldStyle();
    NameLastItem("league.pilot", dialog.Pilot);
    if (dialog.Pilot[0] != '\0') dialog.Problem.clear();  // a name is there now
    if (!shownToken.empty()) ImGui::Text(TranslatedUtf8(N_("トークン %s")), shownToken.c_str());
    if (!dialog.Problem.empty()) {
      ImGui::TextColored(ImGui::ColorConvertU32ToFloat4(kRefusedText), "%s", dialog.Problem.c_str());
    }
    ImGui::Spacing();
    if (ImGui::Button("OK", ImVec2(kButtonWidth, 0)) || KeyPressed(ImGuiKey_Enter)) {
      if (dialog.Address[0] != '\0' && dialog.Pilot[0] == '\0') {
        dialog.Problem = TranslatedUtf8(N_("パイロット名を入れてください"));
      } else {
        end = DialogEnd::Ok;
      }
    }
    NameLastItem("league.ok");
    ImGui::SameLine();
    if (ImGui::Button(TranslatedUtf8(N_("キャンセル")), ImVec2(kButtonWidth, 0)) || KeyPressed(ImGuiKey_Escape))
      end = DialogEnd::Cancel;
    NameLastItem("league.cancel");
    if (end != DialogEnd::Open) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
  }
  return end;
}

}  // namespace platform
