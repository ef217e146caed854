// Any bytes as "rank\Ranking.txt": parse, format, and parse the result again.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "ranking/ranking_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ranking::TableFile parsed =
      ranking::ParseTableFile(std::string_view(reinterpret_cast<const char*>(data), size));
  auto table = std::make_unique<ranking::RankingTable>();
  table->Entries = parsed.Entries;
  table->FlightCount = parsed.FlightCount;
  ranking::ParseTableFile(ranking::FormatTableFile(*table));
  return 0;
}
