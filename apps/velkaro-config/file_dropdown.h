#pragma once
// Picking a file of the working folder in a window: a drop-down of the design file,
// the ranking's entries (with place, name and distance) and the other text files, and
// a field for any other path. Used by the flights and comparison windows.
#include <string>

namespace config {

struct FileDropdown {
  char Typed[256] = {};  // the path typed into the field
};

// Draws the drop-down (labelled `preview`) and the field with its `button`; returns the
// game file name picked this frame, or "".
std::string DrawFileDropdown(FileDropdown& pick, const char* id, const char* preview, const char* button);

}  // namespace config
