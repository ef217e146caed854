// Measures the game's frame pacing on this machine: 500 cheap ticks paced with the
// real clock, then the distribution of the intervals between tick ends.
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <vector>

#include "game/frame_pacing.h"
#include "platform/os/system_services.h"

int main() {
  constexpr int kTicks = 500;
  platform::SystemClock clock;
  game::FramePacer pacer;
  std::vector<double> ends;         // ms, steady clock at each tick's end
  std::vector<uint32_t> clockEnds;  // ms, the game's clock at each tick's end
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i <= kTicks; ++i) {
    game::PaceFrame(pacer, clock);
    ends.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    clockEnds.push_back(pacer.LastFrameEnd);
  }
  std::map<int, int> histogram;  // whole ms -> ticks
  double sum = 0, lowest = 1e9, highest = 0;
  for (int i = 1; i <= kTicks; ++i) {
    const double interval = ends[i] - ends[i - 1];
    ++histogram[static_cast<int>(interval)];
    sum += interval;
    lowest = std::min(lowest, interval);
    highest = std::max(highest, interval);
  }
  constexpr uint32_t kIdealTickMs = game::kFrameSlotMs + 1;  // the wait ends on the first reading past the slot
  constexpr double kNearIdealMs = 0.5;
  int onTheClock = 0, nearIdeal = 0;
  for (int i = 1; i <= kTicks; ++i) {
    onTheClock += clockEnds[i] - clockEnds[i - 1] == kIdealTickMs;
    nearIdeal += std::abs(ends[i] - ends[i - 1] - kIdealTickMs) < kNearIdealMs;
  }
  std::printf("tick intervals over %d cheap ticks (ms): mean %.3f, min %.3f, max %.3f\n", kTicks, sum / kTicks, lowest,
              highest);
  std::printf("ticks of exactly %u ms on the game's clock: %.1f %%; within %.1f ms of it in real time: %.1f %%\n",
              kIdealTickMs, 100.0 * onTheClock / kTicks, kNearIdealMs, 100.0 * nearIdeal / kTicks);
  for (const auto& [ms, count] : histogram) std::printf("  %2d-%2d ms: %4d ticks\n", ms, ms + 1, count);
  std::printf("fps shown after the run: %d/50\n", pacer.FpsShown);
  return 0;
}
