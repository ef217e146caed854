#include "platform/system_services.h"

#include <time.h>

#include <cstdio>
#include <cstdlib>

#include "platform/shift_jis.h"

namespace platform {

uint32_t SystemClock::NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  const uint64_t ms = static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);  // wraps like a 32-bit millisecond timer
}

void SystemClock::Sleep1Ms() {
  timespec ts{0, 1000000};  // 1 ms
  nanosleep(&ts, nullptr);
}

void StdRandom::Seed(uint32_t seed) { std::srand(seed); }

int StdRandom::Next() { return std::rand(); }

void ConsoleDialogs::ShowWarning(const std::string& sjisText) {
  std::fprintf(stderr, "%s\n", ShiftJisToUtf8(sjisText).c_str());
}

}  // namespace platform
