#pragma once
// The configurator's status and notice texts are printf-formatted UTF-8.
#include <string>

namespace config {

// The text printf would write for `format` and its arguments (cut at 511 bytes).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A flight's distance as the game shows it (truncated to 0.01 m, never rounded, so a
// flight reads the same here as on the game's result and ranking); "-" when there is
// no finite distance.
std::string DistanceText(double metres);

}  // namespace config
