#pragma once
// The file commands that go through the file chooser: open, save as (with the question
// before an existing file is replaced) and the figures' export. The screen calls these
// from its menu and shortcuts; the logic is DesignDocument's and the exporter's.
#include <optional>
#include <string>
#include <vector>

#include "config/design/design_document.h"
#include "config/figures/figures_export.h"
#include "file_chooser.h"

namespace config {

struct FileMenu {
  FileChooser Chooser;
  std::string PendingExport;  // output an export replaces once that is confirmed
  bool AskExportOverwrite = false;
};

void ShowOpenChooser(FileMenu& ui);
void ShowSaveAsChooser(FileMenu& ui, const DesignDocument& document);

// The ファイル menu's items after the plain save: save as, saving to temp.txt while the
// design belongs to another file, and the figures' export.
void FileMenuItems(FileMenu& ui, DesignDocument& document, const std::vector<DesignWarning>& warnings);

// Draws the chooser and the questions about replacing a file, and carries out what was
// chosen (an export writes the figures of the values on screen). Returns the file to open when one was chosen for
// opening (the screen opens it, so results of the old design are dropped).
std::optional<std::string> DrawFileCommands(FileMenu& ui, DesignDocument& document,
                                            const std::vector<DesignWarning>& warnings);

}  // namespace config
