#pragma once
#include "platform/random.h"

namespace sim {

// The random numbers of a headless flight: every draw is 0, so the launch run's
// jitter is the same on every run (it moves only the shown height, never the flight).
class ZeroRandom : public platform::Random {
public:
  void Seed(uint32_t) override {}
  int Next() override { return 0; }
};

}  // namespace sim
