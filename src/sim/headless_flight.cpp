#include "sim/headless_flight.h"

#include "aircraft/load_aircraft.h"
#include "platform/io/files.h"
#include "platform/text/text_fields.h"
#include "ranking/ranking_files.h"
#include "sim/tail_controls.h"
#include "sim/zero_random.h"

namespace sim {
namespace {

// A file with a line 51 is a ranking entry file and carries a control log.
bool HasControlLog(const std::string& text) {
  return platform::SplitLines(text, ranking::kEntryLineCount).size() == ranking::kEntryLineCount;
}

}  // namespace

std::optional<FlightOutcome> FlyAircraftFile(const std::string& gameFileName, const FlightOptions& options) {
  const auto text = platform::ReadFilePrefix(gameFileName, ranking::kRankingReadLimit);
  if (!text) return std::nullopt;
  return FlyAircraftText(*text, options);
}

namespace {

FlightOutcome FlyWith(const std::string& fileText, TailControl& tail) {
  FlightOutcome outcome;
  outcome.Aircraft = aircraft::LoadAircraftText(fileText, {.CoordinateLog = false});
  flight::Aircraft& a = *outcome.Aircraft;
  ZeroRandom random;
  FlightRun run;
  const HeadlessFlight flown = FlyToTouchdown(run, a, tail, random);
  outcome.LaunchTicks = flown.LaunchTicks;
  outcome.LaunchEnded = flown.LaunchEnded;
  if (!flown.LaunchEnded) return outcome;
  outcome.Distance = a.DisplayX;
  outcome.LastStep = a.LastStep;
  return outcome;
}

}  // namespace

FlightOutcome FlyAircraftText(const std::string& fileText, const FlightOptions& options) {
  if (options.TrimDeg) {
    ConstantTail constant(*options.TrimDeg);
    return FlyWith(fileText, constant);
  }
  if (HasControlLog(fileText)) return FlyWithControlLog(fileText, ranking::ParseEntryFile(fileText)->Log);
  TailControl ownTail;
  return FlyWith(fileText, ownTail);
}

FlightOutcome FlyWithControlLog(const std::string& fileText, const ranking::ControlLog& log) {
  RecordedTail recorded(log);
  return FlyWith(fileText, recorded);
}

}  // namespace sim
