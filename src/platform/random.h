#pragma once
#include <cstdint>

namespace platform {

// The game's random draws (the launch jitter, the demo entry, camera choices).
class Random {
public:
  virtual ~Random() = default;
  virtual void Seed(uint32_t seed) = 0;
  virtual int Next() = 0;  // uniform in 0 .. RAND_MAX
};

}  // namespace platform
