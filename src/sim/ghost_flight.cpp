#include "sim/ghost_flight.h"

#include "platform/text/text_fields.h"

namespace sim {

std::unique_ptr<GhostFlight> GhostFlight::FromEntryText(std::string_view entryText,
                                                        const aircraft::ModelBuilder& buildModel) {
  const size_t withFirstValue = ranking::kEntryLineCount + 1;
  if (platform::SplitLines(entryText, withFirstValue).size() < withFirstValue) return nullptr;
  std::unique_ptr<ranking::EntryFile> entry = ranking::ParseEntryFile(entryText);
  // Loaded from the whole text, as the demo loads the entry file: the aircraft lines
  // come first, and its parser reads no further than they go.
  std::unique_ptr<flight::Aircraft> aircraft =
      aircraft::LoadAircraftText(entryText, {.CoordinateLog = false, .BuildModel = buildModel});
  return std::unique_ptr<GhostFlight>(new GhostFlight(std::move(entry), std::move(aircraft)));
}

GhostFlight::GhostFlight(std::unique_ptr<ranking::EntryFile> entry, std::unique_ptr<flight::Aircraft> aircraft)
    : Entry_(std::move(entry)), Aircraft_(std::move(aircraft)), Tail_(Entry_->Log) {}

FlightPhase GhostFlight::Tick() {
  switch (Phase_) {
    case FlightPhase::OnPlatform: Phase_ = LaunchTick(Run_, *Aircraft_, Tail_, Random_); break;
    case FlightPhase::Airborne: Phase_ = FlightTick(*Aircraft_, Tail_); break;
    case FlightPhase::Touchdown: return Phase_;
  }
  ++Ticks_;
  return Phase_;
}

}  // namespace sim
