#pragma once
#include <cstdint>

namespace platform {

// The millisecond clock the game paces and times itself with: a 32-bit counter that
// wraps, so callers compare readings as unsigned differences.
class Clock {
public:
  virtual ~Clock() = default;
  virtual uint32_t NowMs() = 0;
  virtual void Sleep1Ms() = 0;
  // Fine timer resolution for the duration of a wait (a no-op where the system
  // always has it).
  virtual void BeginFineTiming() {}
  virtual void EndFineTiming() {}
};

}  // namespace platform
