#include "demo_flight.h"

#include "aircraft/load_aircraft.h"
#include "flight/flight_step.h"
#include "flight/launch_run.h"
#include "platform/files.h"
#include "flight/text_fields.h"
#include "ranking/ranking_files.h"

namespace sim {
namespace {

// The launch jitter of a headless flight: every draw is 0.
class ZeroRandom : public platform::Random {
public:
  void Seed(uint32_t) override {}
  int Next() override { return 0; }
};

// A file with a line 51 is a ranking entry file and carries a control log.
bool HasControlLog(const std::string& text) {
  return flight::SplitLines(text, ranking::kEntryLineCount).size() == ranking::kEntryLineCount;
}

}  // namespace

std::optional<FlightOutcome> FlyAircraftFile(const std::string& gameFileName, const FlightOptions& options) {
  const auto text = platform::ReadFilePrefix(gameFileName, ranking::kRankingReadLimit);
  if (!text) return std::nullopt;
  return FlyAircraftText(*text, options);
}

FlightOutcome FlyAircraftText(const std::string& fileText, const FlightOptions& options) {
  const std::unique_ptr<ranking::EntryFile> entry = ranking::ParseEntryFile(fileText);
  const bool hasLog = HasControlLog(fileText);

  FlightOutcome outcome;
  outcome.Aircraft = aircraft::LoadAircraftText(fileText, {.CoordinateLog = false});
  flight::Aircraft& a = *outcome.Aircraft;

  ZeroRandom random;
  flight::LaunchRunState launch;
  float runTime = 0;  // s
  bool leftPlatform = false;
  while (!leftPlatform && outcome.LaunchTicks < kMaxLaunchTicks) {
    runTime += 0.02f;
    if (options.TrimDeg) a.TailSetting = *options.TrimDeg;
    leftPlatform = flight::LaunchRun(a, launch, runTime, random);
    ++outcome.LaunchTicks;
  }
  if (!leftPlatform) {
    outcome.LaunchEnded = false;
    return outcome;
  }

  for (;;) {
    if (options.TrimDeg) {
      a.TailSetting = *options.TrimDeg;
    } else if (hasLog) {
      a.TailSetting = entry->Log.Values[a.Step];
    }
    if (flight::FlightStep(a)) break;
    flight::ShowRecord(a);
  }
  outcome.Distance = a.DisplayX;
  outcome.LastStep = a.LastStep;
  return outcome;
}

}  // namespace sim
