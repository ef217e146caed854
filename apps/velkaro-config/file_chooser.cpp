#include "file_chooser.h"

#include <imgui.h>

#include <cstdio>
#include <filesystem>

#include "modal_popup.h"
#include "platform/io/files.h"
#include "platform/text/language.h"
#include "platform/ui_probe.h"

namespace config {
namespace {

using platform::TranslatedUtf8;

constexpr float kListWidth = 640;   // px
constexpr float kListHeight = 300;  // px: fits the 768-pixel screen with the fields around it
const ImVec4 kErrorColour(0.78f, 0.1f, 0.1f, 1);
const ImVec4 kFolderColour(0.1f, 0.3f, 0.6f, 1);
const ImVec4 kRankingColour(0.55f, 0.35f, 0.0f, 1);

const char* Title(ChooserPurpose purpose) {
  switch (purpose) {
    case ChooserPurpose::Open: return N_("設計を開く");
    case ChooserPurpose::SaveAs: return N_("名前を付けて保存");
    case ChooserPurpose::Export: return N_("図表をCSVに書き出し");
    case ChooserPurpose::Report: return N_("設計レポートを書き出し (PDF)");
  }
  return "";
}

const char* ConfirmLabel(ChooserPurpose purpose) {
  switch (purpose) {
    case ChooserPurpose::Open: return N_("開く");
    case ChooserPurpose::SaveAs: return N_("保存");
    case ChooserPurpose::Export:
    case ChooserPurpose::Report: return N_("書き出す");
  }
  return "";
}

void SetName(FileChooser& c, const std::string& name) { std::snprintf(c.Name, sizeof c.Name, "%s", name.c_str()); }

void EnterFolder(FileChooser& c, const std::string& folder) {
  c.Folder = TidyFolder(folder);
  c.Listed = false;
}

// The item's path as the name field holds it: relative to the folder shown.
std::string NameInFolder(const FileChooser& c, const std::string& path) {
  const std::string prefix = c.Folder + "/";
  if (c.Folder != "." && path.compare(0, prefix.size(), prefix) == 0) return path.substr(prefix.size());
  return path;
}

// Why an item cannot be chosen for this purpose (an N_ text); nullptr when it can.
const char* WhyNot(const FileChooser& c, const ListedItem& item) {
  if (!item.Openable) return N_("名前に \\ (0x5C) を含むため、ゲームのファイル名としては開けません");
  if (c.Purpose == ChooserPurpose::SaveAs && item.Kind == ListedKind::RankingEntry)
    return N_("ランキングのファイルはゲームが書き換えるため、保存先にはできません");
  if (c.Purpose == ChooserPurpose::Export && item.Kind != ListedKind::Folder)
    return N_("設計のファイルには書き出しません (図表は .csv に書き出します)");
  if (c.Purpose == ChooserPurpose::Report && item.Kind != ListedKind::Folder)
    return N_("設計のファイルには書き出しません (レポートは .pdf に書き出します)");
  return nullptr;
}

void FolderLine(FileChooser& c) {
  std::error_code error;
  const std::string shown = c.Folder == "." ? platform::Formatted(TranslatedUtf8(N_("作業フォルダ (%s)")),
                                                                  std::filesystem::current_path(error).c_str())
                                            : c.Folder;
  ImGui::Text(TranslatedUtf8(N_("フォルダ: %s")), ShownFileName(shown).c_str());
  if (ImGui::Button(TranslatedUtf8(N_("上へ")))) EnterFolder(c, ParentFolder(c.Folder));
  ImGui::SameLine();
  if (ImGui::Button(TranslatedUtf8(N_("作業フォルダ")))) EnterFolder(c, ".");
  ImGui::SameLine();
  if (ImGui::Button(TranslatedUtf8(N_("一覧を更新")))) c.Listed = false;
}

// The listing; returns a path when an item was double-clicked.
std::optional<std::string> ListingBox(FileChooser& c) {
  std::optional<std::string> chosen;
  ImGui::BeginChild("listing", ImVec2(kListWidth, kListHeight), true);
  if (!c.Listing.Error.empty()) ImGui::TextColored(kErrorColour, "%s", c.Listing.Error.c_str());
  if (c.Listing.Items.empty() && c.Listing.Error.empty())
    ImGui::TextDisabled("%s", TranslatedUtf8(N_("(設計のファイルはありません)")));
  std::optional<std::string> enter;
  for (const ListedItem& item : c.Listing.Items) {
    const char* whyNot = WhyNot(c, item);
    const bool folder = item.Kind == ListedKind::Folder;
    ImGui::BeginDisabled(whyNot != nullptr);
    if (folder) ImGui::PushStyleColor(ImGuiCol_Text, kFolderColour);
    if (item.Kind == ListedKind::RankingEntry) ImGui::PushStyleColor(ImGuiCol_Text, kRankingColour);
    const std::string name = NameInFolder(c, item.Path);
    const bool selected = !folder && name == c.Name;
    const std::string label = (folder ? TranslatedUtf8(N_("[フォルダ] ")) : "") + item.Shown + "##" + item.Path;
    const bool clicked = ImGui::Selectable(label.c_str(), selected, ImGuiSelectableFlags_AllowDoubleClick);
    if (platform::UiProbeRecording()) platform::NameLastItem("chooser.item." + item.Path);
    if (clicked) {
      if (folder) {
        enter = item.Path;
      } else {
        SetName(c, name);
        if (ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left)) chosen = item.Path;
      }
    }
    if (folder || item.Kind == ListedKind::RankingEntry) ImGui::PopStyleColor();
    ImGui::EndDisabled();
    if (whyNot && ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenDisabled))
      ImGui::SetTooltip("%s", TranslatedUtf8(whyNot));
  }
  ImGui::EndChild();
  if (enter) EnterFolder(c, *enter);
  return chosen;
}

}  // namespace

void ShowChooser(FileChooser& c, ChooserPurpose purpose, const std::string& suggestedName) {
  c.Show = true;
  c.Purpose = purpose;
  c.Listed = false;  // files may have come and gone since the last time
  SetName(c, suggestedName);
}

std::optional<std::string> DrawFileChooser(FileChooser& c) {
  if (!BeginModal(Title(c.Purpose), c.Show)) return std::nullopt;
  platform::NameCurrentWindow("chooser");
  if (!c.Listed) {
    c.Listing = ListFolder(c.Folder);
    c.Listed = true;
  }
  FolderLine(c);
  std::optional<std::string> chosen = ListingBox(c);

  ImGui::SetNextItemWidth(kListWidth - 180);
  const bool examples = c.Purpose == ChooserPurpose::Open && c.Folder == ".";
  const char* hint =
      TranslatedUtf8(examples ? N_("ファイル名 (例: rank/rank3.txt)") : N_("ファイル名 (このフォルダから)"));
  if (ImGui::IsWindowAppearing()) ImGui::SetKeyboardFocusHere();
  const bool entered =
      ImGui::InputTextWithHint("##name", hint, c.Name, sizeof c.Name, ImGuiInputTextFlags_EnterReturnsTrue);
  platform::NameLastItem("chooser.name", c.Name);
  // Enter also confirms a name picked from the list (the field is not active then): a
  // double click needs two clicks within a third of a second of frames, which a busy
  // machine may not draw.
  const bool enter = !ImGui::IsWindowAppearing() && !ImGui::IsAnyItemActive() &&
                     ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter));
  ImGui::SameLine();
  const bool confirmed = ImGui::Button(TranslatedUtf8(ConfirmLabel(c.Purpose)));
  platform::NameLastItem("chooser.ok");
  if ((confirmed || entered || enter) && c.Name[0] != '\0') {
    chosen = JoinPath(c.Folder, platform::NativePath(c.Name));
  }
  ImGui::SameLine();
  if (CancelPressed()) {
    CloseModal(c.Show);
    chosen.reset();
  }
  if (c.Purpose == ChooserPurpose::Export)
    ImGui::Checkbox(TranslatedUtf8(N_("Shift-JIS (CP932、BOM なし) で書く")), &c.ExportShiftJis);

  std::error_code error;
  if (chosen && std::filesystem::is_directory(*chosen, error)) {
    EnterFolder(c, *chosen);
    SetName(c, "");
    chosen.reset();
  }
  if (chosen) CloseModal(c.Show);
  ImGui::EndPopup();
  return chosen;
}

}  // namespace config
