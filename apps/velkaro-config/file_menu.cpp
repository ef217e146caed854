#include "file_menu.h"

#include <imgui.h>

#include <filesystem>

#include "config/files/save_target.h"
#include "modal_popup.h"

namespace config {
namespace {

constexpr const char* kOverwritePopup = "上書きの確認";
constexpr const char* kExportOverwritePopup = "CSV の上書きの確認";
constexpr const char* kExportSuffix = "-figures.csv";

CsvEncoding ExportEncoding(const FileMenu& ui) {
  return ui.Chooser.ExportShiftJis ? CsvEncoding::ShiftJis : CsvEncoding::Utf8WithBom;
}

void Notice(DesignDocument& d, const std::string& text) {
  d.Notice = text;
  d.ShowNotice = true;
}

void ExportNow(FileMenu& ui, DesignDocument& d, const std::string& name) {
  const ExportResult result = ExportFigures(d.Editor.Spec, name, ExportEncoding(ui));
  d.Status = DescribeExportResult(result, ShownName(name), ExportEncoding(ui));
  if (result != ExportResult::Written) Notice(d, d.Status);
}

// An export to a chosen name: refused names are told, an existing file is asked about.
void RequestExport(FileMenu& ui, DesignDocument& d, const std::string& chosen) {
  const std::string name = ExportFileName(chosen);
  const SaveTargetCheck check = CheckExportTarget(name);
  if (RefusesSaveTarget(check) && check != SaveTargetCheck::NoFolder) {
    Notice(d, DescribeSaveTarget(check, ShownName(name)));
    return;
  }
  if (check == SaveTargetCheck::Exists) {
    ui.PendingExport = name;
    ui.AskExportOverwrite = true;
    return;
  }
  ExportNow(ui, d, name);
}

void ExportOverwritePopup(FileMenu& ui, DesignDocument& d) {
  const std::string question = DescribeSaveTarget(SaveTargetCheck::Exists, ShownName(ui.PendingExport));
  if (AskToReplace(kExportOverwritePopup, ui.AskExportOverwrite, question) == ReplaceAnswer::Replace)
    ExportNow(ui, d, ui.PendingExport);
}

void OverwritePopup(DesignDocument& d, const std::vector<DesignWarning>& warnings) {
  const std::string question = DescribeSaveTarget(SaveTargetCheck::Exists, ShownName(d.PendingSaveAs));
  switch (AskToReplace(kOverwritePopup, d.AskOverwrite, question)) {
    case ReplaceAnswer::Replace: ConfirmOverwrite(d, warnings); break;
    case ReplaceAnswer::Cancel: CancelOverwrite(d); break;
    case ReplaceAnswer::None: break;
  }
}

}  // namespace

void ShowOpenChooser(FileMenu& ui) { ShowChooser(ui.Chooser, ChooserPurpose::Open, ""); }

void ShowSaveAsChooser(FileMenu& ui, const DesignDocument& d) {
  // Start from the design's own file name unless that is the game's design file.
  const std::string target = ShownName(d.Editor.TargetName);
  ShowChooser(ui.Chooser, ChooserPurpose::SaveAs,
              target == kDesignFileName ? "" : std::filesystem::path(target).filename().string());
}

void FileMenuItems(FileMenu& ui, DesignDocument& d, const std::vector<DesignWarning>& warnings) {
  if (ImGui::MenuItem("名前を付けて保存...", "Ctrl+Shift+S")) ShowSaveAsChooser(ui, d);
  // The game flies temp.txt only: saving there from a design of another file replaces it.
  if (d.Editor.TargetName != kDesignFileName && ImGui::MenuItem("temp.txt に保存 (ゲームが飛ばす設計)")) {
    RequestSaveAs(d, kDesignFileName, warnings);
    if (d.AskOverwrite) ConfirmOverwrite(d, warnings);
  }
  if (ImGui::MenuItem("図表をCSVに書き出し...")) {
    const std::string source = d.Editor.SourceName.empty() ? "design" : d.Editor.SourceName;
    ShowChooser(ui.Chooser, ChooserPurpose::Export,
                std::filesystem::path(ShownName(source)).stem().string() + kExportSuffix);
  }
}

std::optional<std::string> DrawFileCommands(FileMenu& ui, DesignDocument& d,
                                            const std::vector<DesignWarning>& warnings) {
  std::optional<std::string> toOpen;
  if (const auto chosen = DrawFileChooser(ui.Chooser)) {
    switch (ui.Chooser.Purpose) {
      case ChooserPurpose::Open: toOpen = chosen; break;
      case ChooserPurpose::SaveAs: RequestSaveAs(d, *chosen, warnings); break;
      case ChooserPurpose::Export: RequestExport(ui, d, *chosen); break;
    }
  }
  OverwritePopup(d, warnings);
  ExportOverwritePopup(ui, d);
  return toOpen;
}

}  // namespace config
