#pragma once
// The configurator's status and notice texts are printf-formatted UTF-8.
#include <string>

namespace config {

// The text printf would write for `format` and its arguments (cut at 511 bytes).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace config
