#include "file_commands_ui.h"

#include <imgui.h>

#include <filesystem>

#include "modal_popup.h"
#include "save_target.h"

namespace config {
namespace {

constexpr const char* kOverwritePopup = "上書きの確認";

void OverwritePopup(DesignDocument& d, const std::vector<DesignWarning>& warnings) {
  if (!BeginModal(kOverwritePopup, d.AskOverwrite)) return;
  ImGui::PushTextWrapPos(680);
  ImGui::TextUnformatted(DescribeSaveTarget(SaveTargetCheck::Exists, ShownName(d.PendingSaveAs)).c_str());
  ImGui::PopTextWrapPos();
  ImGui::Spacing();
  if (ImGui::Button("置き換える")) {
    ImGui::CloseCurrentPopup();
    ConfirmOverwrite(d, warnings);
  }
  ImGui::SameLine();
  if (CancelPressed()) {
    ImGui::CloseCurrentPopup();
    CancelOverwrite(d);
  }
  ImGui::EndPopup();
}

}  // namespace

void ShowOpenChooser(FileCommandsUi& ui) { ShowChooser(ui.Chooser, ChooserPurpose::Open, ""); }

void ShowSaveAsChooser(FileCommandsUi& ui, const DesignDocument& d) {
  // Start from the design's own file name unless that is the game's design file.
  const std::string target = ShownName(d.Editor.TargetName);
  ShowChooser(ui.Chooser, ChooserPurpose::SaveAs,
              target == kDesignFileName ? "" : std::filesystem::path(target).filename().string());
}

void SaveAsMenuItems(FileCommandsUi& ui, DesignDocument& d, const std::vector<DesignWarning>& warnings) {
  if (ImGui::MenuItem("名前を付けて保存...", "Ctrl+Shift+S")) ShowSaveAsChooser(ui, d);
  if (d.Editor.TargetName == kDesignFileName) return;
  // The game flies temp.txt only: saving there from a design of another file replaces it.
  if (ImGui::MenuItem("temp.txt に保存 (ゲームが飛ばす設計)")) {
    RequestSaveAs(d, kDesignFileName, warnings);
    if (d.AskOverwrite) ConfirmOverwrite(d, warnings);
  }
}

std::optional<std::string> DrawFileCommands(FileCommandsUi& ui, DesignDocument& d,
                                            const std::vector<DesignWarning>& warnings) {
  std::optional<std::string> toOpen;
  if (const auto chosen = DrawFileChooser(ui.Chooser)) {
    switch (ui.Chooser.Purpose) {
      case ChooserPurpose::Open: toOpen = chosen; break;
      case ChooserPurpose::SaveAs: RequestSaveAs(d, *chosen, warnings); break;
      case ChooserPurpose::Export: break;
    }
  }
  OverwritePopup(d, warnings);
  return toOpen;
}

}  // namespace config
