#include "file_menu.h"

#include <imgui.h>

#include <filesystem>

#include "config/files/save_target.h"
#include "modal_popup.h"
#include "platform/text/language.h"

namespace config {
namespace {

using platform::TranslatedUtf8;

constexpr const char* kOverwritePopup = N_("上書きの確認");
constexpr const char* kExportOverwritePopup = N_("CSV の上書きの確認");
constexpr const char* kReportOverwritePopup = N_("レポートの上書きの確認");
constexpr const char* kExportSuffix = "-figures.csv";
constexpr const char* kPolarSuffix = "-polar.csv";
constexpr const char* kSweepSuffix = "-sweep.csv";
constexpr const char* kReportSuffix = "-report.pdf";
constexpr const char* kReportExtension = ".pdf";

CsvEncoding ExportEncoding(const FileMenu& ui) {
  return ui.Chooser.ExportShiftJis ? CsvEncoding::ShiftJis : CsvEncoding::Utf8WithBom;
}

void Notice(DesignDocument& d, const std::string& text) {
  d.Notice = text;
  d.ShowNotice = true;
}

ExportResult WriteCsv(const FileMenu& ui, const DesignDocument& d, const std::string& name) {
  switch (ui.Exporting) {
    case FileMenu::Csv::Polar:
      if (ui.Polar) return ExportCsvBytes(FormatPolarCsv(*ui.Polar, ExportEncoding(ui)), name);
      break;
    case FileMenu::Csv::Sweep:
      if (ui.Sweep) return ExportCsvBytes(FormatSweepCsv(*ui.Sweep, ExportEncoding(ui)), name);
      break;
    case FileMenu::Csv::Figures: break;
  }
  return ExportFigures(d.Editor.Spec, name, ExportEncoding(ui));
}

void ExportNow(FileMenu& ui, DesignDocument& d, const std::string& name) {
  const ExportResult result = WriteCsv(ui, d, name);
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

void ReportNow(FileMenu& ui, DesignDocument& d, const std::string& name) {
  if (!ui.Report) return;
  ui.Report->Coach = ui.ReportCoach ? &*ui.ReportCoach : nullptr;
  const ReportResult result = WriteDesignReport(*ui.Report, name);
  d.Status = DescribeReportResult(result, ShownName(name));
  if (result != ReportResult::Written) Notice(d, d.Status);
}

// A report to a chosen name: ".pdf" added when there is no extension; refused names are
// told, an existing file is asked about.
void RequestReport(FileMenu& ui, DesignDocument& d, const std::string& chosen) {
  std::string name = chosen;
  if (std::filesystem::path(name).extension().empty()) name += kReportExtension;
  const SaveTargetCheck check = CheckExportTarget(name);
  if (RefusesSaveTarget(check) && check != SaveTargetCheck::NoFolder) {
    Notice(d, DescribeSaveTarget(check, ShownName(name)));
    return;
  }
  if (check == SaveTargetCheck::Exists) {
    ui.PendingReport = name;
    ui.AskReportOverwrite = true;
    return;
  }
  ReportNow(ui, d, name);
}

void ReportOverwritePopup(FileMenu& ui, DesignDocument& d) {
  const std::string question = DescribeSaveTarget(SaveTargetCheck::Exists, ShownName(ui.PendingReport));
  if (AskToReplace(kReportOverwritePopup, ui.AskReportOverwrite, question) == ReplaceAnswer::Replace)
    ReportNow(ui, d, ui.PendingReport);
}

// The design's file name without folder and extension, for suggested output names.
std::string DesignStem(const DesignDocument& d) {
  const std::string source = d.Editor.SourceName.empty() ? "design" : d.Editor.SourceName;
  return std::filesystem::path(ShownName(source)).stem().string();
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

void FileMenuItems(FileMenu& ui, DesignDocument& d, const std::vector<DesignWarning>& warnings,
                   const ExportSources& sources) {
  if (ImGui::MenuItem(TranslatedUtf8(N_("名前を付けて保存...")), "Ctrl+Shift+S")) ShowSaveAsChooser(ui, d);
  // The game flies temp.txt only: saving there from a design of another file replaces it.
  if (d.Editor.TargetName != kDesignFileName &&
      ImGui::MenuItem(TranslatedUtf8(N_("temp.txt に保存 (ゲームが飛ばす設計)")))) {
    RequestSaveAs(d, kDesignFileName, warnings);
    if (d.AskOverwrite) ConfirmOverwrite(d, warnings);
  }
  if (ImGui::MenuItem(TranslatedUtf8(N_("図表をCSVに書き出し...")))) {
    ui.Exporting = FileMenu::Csv::Figures;
    ShowChooser(ui.Chooser, ChooserPurpose::Export, DesignStem(d) + kExportSuffix);
  }
  const bool polar = sources.Polar && !sources.Polar->Points.empty();
  if (ImGui::MenuItem(TranslatedUtf8(N_("滑空ポーラーをCSVに書き出し...")), nullptr, false, polar)) {
    ui.Exporting = FileMenu::Csv::Polar;
    ui.Polar = *sources.Polar;
    ShowChooser(ui.Chooser, ChooserPurpose::Export, DesignStem(d) + kPolarSuffix);
  }
  if (!polar && ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenDisabled))
    ImGui::SetTooltip("%s", TranslatedUtf8(N_("先に「ポーラーを計算」を押してください")));
  const bool sweep = sources.Sweep && !sources.Sweep->Points.empty();
  if (ImGui::MenuItem(TranslatedUtf8(N_("掃引をCSVに書き出し...")), nullptr, false, sweep)) {
    ui.Exporting = FileMenu::Csv::Sweep;
    ui.Sweep = *sources.Sweep;
    ShowChooser(ui.Chooser, ChooserPurpose::Export, DesignStem(d) + kSweepSuffix);
  }
  if (!sweep && ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenDisabled))
    ImGui::SetTooltip("%s", TranslatedUtf8(N_("先に「掃引」を押してください")));
  if (ImGui::MenuItem(TranslatedUtf8(N_("設計レポート...")))) {
    ui.Report = ReportInput{.Title = SourceDescription(d), .Spec = d.Editor.Spec, .Schedule = sources.Schedule};
    ui.ReportCoach.reset();
    if (sources.Coach) ui.ReportCoach = *sources.Coach;
    ShowChooser(ui.Chooser, ChooserPurpose::Report, DesignStem(d) + kReportSuffix);
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
      case ChooserPurpose::Report: RequestReport(ui, d, *chosen); break;
    }
  }
  OverwritePopup(d, warnings);
  ExportOverwritePopup(ui, d);
  ReportOverwritePopup(ui, d);
  return toOpen;
}

}  // namespace config
