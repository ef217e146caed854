#pragma once
// Where the game and the configurator keep the game's files (the boot file, the
// aircraft, the ranking, the art): the working directory when it holds them, as the
// bundled data folder and every test run them; otherwise the player's own folder
// under the XDG data home, filled from the installed copy.
#include <string>

namespace platform {

struct DataFolderChoice {
  std::string Folder;             // absolute path of the folder the program runs in
  bool WorkingDirectory = false;  // the working directory holds the game's files
  std::string InstalledCopy;      // the shipped files the player's folder is filled from
};

// What the program looks for to know a folder holds the game's files.
struct DataFolderMarkers {
  const char* Required;               // "BootConfig.txt" for the game
  const char* Alternative = nullptr;  // also accepted (the configurator: "temp.txt")
};

// The folders, without touching the disk beyond looking: the working directory when it
// has a marker file, else $XDG_DATA_HOME/velkaro (~/.local/share/velkaro when the
// variable is unset, empty or relative).
DataFolderChoice ChooseDataFolder(const DataFolderMarkers& markers);

// The player's folder: $XDG_DATA_HOME/velkaro, or ~/.local/share/velkaro.
std::string PlayerDataFolder();

// The shipped files installed beside the programs (share/velkaro next to bin/).
std::string InstalledDataFolder();

// Copies every file of `from` that `to` lacks, creating folders as needed; nothing in
// `to` is ever replaced. The ranking folder ("rank") is a whole: it is copied only
// when `to` has none, so shipped entries never mix into a player's ranking. Each file
// (and the ranking folder) appears under its name in one rename, so an interrupted
// copy leaves no half-written file. Returns false with a reason on the first failure.
bool CopyMissingFiles(const std::string& from, const std::string& to, std::string& error);

// Chooses the folder, fills a player's folder with what it lacks, checks it now holds
// the game's files, and makes it the working directory. Returns false with a message
// for the player when no folder has them.
bool EnterDataFolder(const DataFolderMarkers& markers, std::string& error);

// A line for --help: which folder the program would use, and why.
std::string DescribeDataFolder(const DataFolderMarkers& markers);

}  // namespace platform
