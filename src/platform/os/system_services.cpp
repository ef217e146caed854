#include "platform/os/system_services.h"

#include <unistd.h>

#include <time.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/text/shift_jis.h"

namespace platform {

namespace {
constexpr long kNsPerMs = 1000000;
constexpr long kNsPerSecond = 1000000000;
constexpr uint64_t kMsPerSecond = 1000;
}  // namespace

uint32_t SystemClock::NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  const uint64_t ms = static_cast<uint64_t>(ts.tv_sec) * kMsPerSecond + static_cast<uint64_t>(ts.tv_nsec / kNsPerMs);
  return static_cast<uint32_t>(ms);  // wraps like a 32-bit millisecond timer
}

// Sleeps until the next whole millisecond of the clock NowMs reads, as a sleep on a
// 1 ms system timer does. A relative 1 ms sleep wakes 1.05-1.1 ms later, so a wait of
// many sleeps would drift off the millisecond and a 21 ms tick would last 21.3-21.7 ms.
void SystemClock::Sleep1Ms() {
  timespec wake{};
  clock_gettime(CLOCK_MONOTONIC, &wake);
  wake.tv_nsec = (wake.tv_nsec / kNsPerMs + 1) * kNsPerMs;
  if (wake.tv_nsec >= kNsPerSecond) {
    wake.tv_sec += 1;
    wake.tv_nsec -= kNsPerSecond;
  }
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
  }
}

void StdRandom::Seed(uint32_t seed) { std::srand(seed); }

int StdRandom::Next() { return std::rand(); }

void ConsoleDialogs::ShowWarning(const std::string& sjisText) {
  std::fprintf(stderr, "%s\n", ShiftJisToUtf8(sjisText).c_str());
}

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace platform
