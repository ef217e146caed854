#pragma once
// A ranking entry's own flight. An entry file holds, after the aircraft's lines, the
// tail setting of every flight step the player flew; velkaro-sim and the game's demo
// fly the entry with that schedule, so the configurator flies it the same way beside
// the untouched flight (which keeps the file's constant tail incidence).
#include <memory>
#include <optional>
#include <string>

#include "config/flights/test_flight.h"
#include "flight/aircraft.h"
#include "ranking/ranking_table.h"

namespace config {

struct EntrySchedule {
  std::string FileName;    // game file name the schedule was read from
  std::string DesignText;  // the entry's aircraft as the file writer writes it
  ranking::ControlLog Log;
};

// The schedule of a file that carries one (a ranking entry file, as velkaro-sim tells
// them apart: one with a separator line after the aircraft's lines); nothing for a
// plain aircraft file or one that cannot be read. Shared: the log is 40 kB.
std::shared_ptr<const EntrySchedule> ReadEntrySchedule(const std::string& gameFileName);

// Flies the design with the schedule: the tail set to value Step before every flight
// step, exactly as velkaro-sim flies the entry file.
FlightProfile FlyWithSchedule(const flight::AircraftSpec& spec, const ranking::ControlLog& log);

}  // namespace config
