#pragma once
// A file written as a stream while the game runs (the coordinate log).
#include <memory>
#include <ostream>
#include <string_view>

namespace platform {

// Creates or empties a regular file and returns a buffered stream into it; nothing
// when a link, a FIFO, a device or a folder stands in its place, or it cannot be made.
std::unique_ptr<std::ostream> OpenOutputFile(std::string_view gameName);

}  // namespace platform
