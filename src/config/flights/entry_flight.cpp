#include "config/flights/entry_flight.h"

#include "aircraft/aircraft_file.h"
#include "platform/io/files.h"
#include "platform/text/text_fields.h"
#include "ranking/ranking_files.h"
#include "sim/headless_flight.h"

namespace config {

std::shared_ptr<const EntrySchedule> ReadEntrySchedule(const std::string& gameFileName) {
  const auto text = platform::ReadFilePrefix(gameFileName, ranking::kRankingReadLimit);
  if (!text) return nullptr;
  if (platform::SplitLines(*text, ranking::kEntryLineCount).size() != ranking::kEntryLineCount) return nullptr;
  const auto entry = ranking::ParseEntryFile(*text);
  if (!entry) return nullptr;
  auto schedule = std::make_shared<EntrySchedule>();
  schedule->FileName = gameFileName;
  schedule->DesignText = aircraft::FormatAircraftSpec(aircraft::ParseAircraftSpecText(*text));
  schedule->Log = entry->Log;
  return schedule;
}

FlightProfile FlyWithSchedule(const flight::AircraftSpec& spec, const ranking::ControlLog& log) {
  return ProfileOf(sim::FlyWithControlLog(aircraft::FormatAircraftSpec(spec), log));
}

}  // namespace config
