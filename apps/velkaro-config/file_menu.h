#pragma once
// The file commands that go through the file chooser: open, save as (with the question
// before an existing file is replaced) and the figures' export. The screen calls these
// from its menu and shortcuts; the logic is DesignDocument's and the exporter's.
#include <optional>
#include <string>
#include <vector>

#include "config/design/design_document.h"
#include "config/figures/curve_export.h"
#include "config/figures/figures_export.h"
#include "config/report/design_report.h"
#include "file_chooser.h"

namespace config {

// What the export commands can write besides the figures, as the window holds it now.
struct ExportSources {
  const GlidePolar* Polar = nullptr;        // the polar, once a glide of it is flown
  const TrimSweep* Sweep = nullptr;         // the sweep, once a setting of it is flown
  const sim::CoachResult* Coach = nullptr;  // the coach's search of the values shown
  std::shared_ptr<const EntrySchedule> Schedule = {};
};

struct FileMenu {
  FileChooser Chooser;
  std::string PendingExport;  // output an export replaces once that is confirmed
  bool AskExportOverwrite = false;
  // Which CSV the export chooser writes, and the curves as they were when it was asked.
  enum class Csv { Figures, Polar, Sweep };
  Csv Exporting = Csv::Figures;
  std::optional<GlidePolar> Polar;
  std::optional<TrimSweep> Sweep;
  // The report's design, coach flight and schedule as they were when it was asked.
  std::optional<ReportInput> Report;
  std::optional<sim::CoachResult> ReportCoach;
  std::string PendingReport;  // output the report replaces once that is confirmed
  bool AskReportOverwrite = false;
};

void ShowOpenChooser(FileMenu& ui);
void ShowSaveAsChooser(FileMenu& ui, const DesignDocument& document);

// The ファイル menu's items after the plain save: save as, saving to temp.txt while the
// design belongs to another file, and the figures' export.
void FileMenuItems(FileMenu& ui, DesignDocument& document, const std::vector<DesignWarning>& warnings,
                   const ExportSources& sources);

// Draws the chooser and the questions about replacing a file, and carries out what was
// chosen (an export writes the figures of the values on screen). Returns the file to open when one was chosen for
// opening (the screen opens it, so results of the old design are dropped).
std::optional<std::string> DrawFileCommands(FileMenu& ui, DesignDocument& document,
                                            const std::vector<DesignWarning>& warnings);

}  // namespace config
