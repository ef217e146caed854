#pragma once
#include "platform/services.h"

namespace platform {

// The system's monotonic clock in milliseconds, truncated to 32 bits.
class SystemClock : public Clock {
public:
  uint32_t NowMs() override;
  void Sleep1Ms() override;
};

// The C library's rand()/srand().
class StdRandom : public Random {
public:
  void Seed(uint32_t seed) override;
  int Next() override;
};

// Dialogs for programs without a window: warnings go to stderr as UTF-8, and no name
// dialog can be shown.
class ConsoleDialogs : public Dialogs {
public:
  void ShowWarning(const std::string& sjisText) override;
  std::optional<std::string> AskPilotName() override { return std::nullopt; }
};

// True when the standard error stream is a terminal (where a progress line may be
// redrawn in place); false for a file or a pipe.
bool StandardErrorIsTerminal();

}  // namespace platform
