#pragma once
// The configurator's file chooser: a modal window listing a folder (the working folder
// first) with its designs and ranking entries, going up and into folders, and a name
// field for a typed path. The listing itself is ListFolder's (config/files/folder_listing.h).
#include <optional>
#include <string>

#include "config/files/folder_listing.h"

namespace config {

enum class ChooserPurpose { Open, SaveAs, Export, Report };

struct FileChooser {
  bool Show = false;
  ChooserPurpose Purpose = ChooserPurpose::Open;
  std::string Folder = ".";  // kept between uses
  FolderListing Listing;
  bool Listed = false;          // Listing is of Folder as it is now
  char Name[512] = {};          // the name field, UTF-8, relative to Folder (or absolute)
  bool ExportShiftJis = false;  // export: Shift-JIS (CP932) without a BOM instead of UTF-8
};

// Shows the chooser for a purpose, with a name to start from (may be empty).
void ShowChooser(FileChooser& chooser, ChooserPurpose purpose, const std::string& suggestedName);

// Draws the chooser while it is shown. Returns the chosen path (the folder joined with
// the name) once the player confirms a name that is not a folder; a folder typed or
// double-clicked is entered instead.
std::optional<std::string> DrawFileChooser(FileChooser& chooser);

}  // namespace config
