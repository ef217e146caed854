// What the ghost race costs the game: one ghost tick (a launch or flight tick of the
// recorded flight, run in every launch and flight tick beside the player's), and
// putting a ghost on the course at the start (reading entry 0, loading its aircraft and
// building its model; the model's meshes go to a recording device, so the figure is the
// parsing and assembly, without the upload to a graphics card).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "game/ghost_race.h"
#include "platform/io/files.h"
#include "fakes/recording_device.h"
#include "ranking/ranking_files.h"
#include "sim/ghost_flight.h"

namespace {

std::string EntryText() {
  std::filesystem::current_path(VELKARO_DATA_DIR);  // the model's files are named from there
  return platform::ReadFilePrefix(ranking::EntryFileName(0), ranking::kRankingReadLimit).value_or("");
}

void BM_GhostTick(benchmark::State& state) {
  const std::string text = EntryText();
  auto ghost = sim::GhostFlight::FromEntryText(text);
  for (auto _ : state) {
    if (ghost->Tick() == sim::FlightPhase::Touchdown) {
      state.PauseTiming();
      ghost = sim::GhostFlight::FromEntryText(text);
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_GhostTick)->Unit(benchmark::kMicrosecond);

void BM_GhostPlacedAtTheStart(benchmark::State& state) {
  const std::string text = EntryText();
  platform::RecordingDevice device;
  game::GhostRace race;
  for (auto _ : state) {
    game::PlaceGhost(race, platform::ReadFilePrefix(ranking::EntryFileName(0), ranking::kRankingReadLimit), "rank0",
                     device, game::GhostAbsence::NoRankedFlight);
    benchmark::DoNotOptimize(race.Flight.get());
  }
}
BENCHMARK(BM_GhostPlacedAtTheStart)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
