#pragma once
// What the file chooser lists of a folder: its folders, then the game's design file,
// the ranking's entries (with the entry's name and distance from the ranking table),
// then the other text files that read as aircraft files. Hidden files and folders are
// left out, and so are entries that cannot be read; a folder that cannot be read gives
// a message instead of a listing.
//
// Paths are kept as the bytes the system gave (Shift-JIS names from an old archive
// included); only the shown names are converted to UTF-8 for the screen.
#include <string>
#include <vector>

#include "config/files/file_names.h"  // ShownFileName

namespace config {

enum class ListedKind {
  Folder,
  DesignFile,    // the game's temp.txt
  RankingEntry,  // rank/rank%d.txt, a ranked flight's design and its log
  AircraftFile,  // another text file the game would read as a design
};

struct ListedItem {
  ListedKind Kind = ListedKind::AircraftFile;
  std::string Path;   // to open: the folder joined with the name, as the system names it
  std::string Shown;  // UTF-8, for the screen (a ranking entry: place, file, pilot, distance)
  // False when the name holds a byte 0x5C (a backslash, or the second byte of a
  // Shift-JIS character): the game's file names use it as the folder separator, so
  // such a file cannot be opened by that name.
  bool Openable = true;
};

struct FolderListing {
  std::string Folder;  // as given
  std::vector<ListedItem> Items;
  std::string Error;  // UTF-8; not empty when the folder could not be read
};

FolderListing ListFolder(const std::string& folder);

// A path inside a folder ("." is the working directory; an absolute name stays as it
// is), and a folder's parent, both written without "." and ".." steps where possible.
std::string JoinPath(const std::string& folder, const std::string& name);
std::string ParentFolder(const std::string& folder);

// A folder as short as it can be named from the working directory ("." for the working
// directory itself, "rank" for its ranking folder); absolute when it lies elsewhere
// above the working directory.
std::string TidyFolder(const std::string& folder);

}  // namespace config
