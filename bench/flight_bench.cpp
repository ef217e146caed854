// Speed of the flight simulation: one FlightStep, and a whole flight (launch run and
// flight) of the shipped default glider, with the real-time factor it reaches.
#include <benchmark/benchmark.h>

#include <memory>

#include "aircraft/aircraft_file.h"
#include "flight/flight_step.h"
#include "flight/set_spec.h"
#include "platform/io/files.h"
#include "sim/flight_runner.h"
#include "sim/zero_random.h"

namespace {

flight::AircraftSpec DefaultGlider() {
  const auto text = platform::ReadFilePrefix(VELKARO_DATA_DIR "/temp.txt", aircraft::kAircraftFileReadLimit);
  return aircraft::ParseAircraftSpecText(text.value_or(""));
}

// Launch run and flight to touchdown; returns the simulated time in seconds.
double FlyWholeFlight(flight::Aircraft& a, const flight::AircraftSpec& spec) {
  flight::SetSpec(a, spec);
  a.DisplayX = flight::kPlatformStartX;
  sim::ZeroRandom random;
  sim::FlightRun run;
  sim::TailControl ownTail;
  return sim::FlyToTouchdown(run, a, ownTail, random).Ticks * flight::kTimeStep;
}

void BM_FlightStep(benchmark::State& state) {
  const flight::AircraftSpec spec = DefaultGlider();
  auto a = std::make_unique<flight::Aircraft>();
  flight::SetSpec(*a, spec);
  const auto mode = static_cast<flight::ForceEvaluation>(state.range(0));
  for (auto _ : state) {
    if (flight::FlightStep(*a, mode)) flight::SetSpec(*a, spec);
    benchmark::DoNotOptimize(a->Records[a->Step].Position);
  }
  state.SetLabel(mode == flight::ForceEvaluation::OncePerStage ? "one evaluation per stage" : "three per stage");
}
BENCHMARK(BM_FlightStep)->Arg(0)->Arg(1);

void BM_WholeFlight(benchmark::State& state) {
  const flight::AircraftSpec spec = DefaultGlider();
  auto a = std::make_unique<flight::Aircraft>();
  double simulated = 0;  // s
  for (auto _ : state) simulated += FlyWholeFlight(*a, spec);
  // Simulated seconds per wall second: how much faster than real time.
  state.counters["realtime_factor"] = benchmark::Counter(simulated, benchmark::Counter::kIsRate);
  state.counters["flights_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WholeFlight)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
