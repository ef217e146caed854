#pragma once
// File names as the configurator knows and shows them: the design file the game reads,
// and a name's bytes made fit for the screen. The editor, the listings and the file
// commands all name files through these, so this sits below them.
#include <string>
#include <string_view>

namespace config {

// The file the game reads the design from, in the working directory.
inline constexpr const char* kDesignFileName = "temp.txt";

// The name to show for a file name's bytes: as it is when it is UTF-8, otherwise read
// as Shift-JIS.
std::string ShownFileName(std::string_view bytes);

}  // namespace config
