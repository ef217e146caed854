#pragma once
#include <string>

#include "platform/shell.h"

namespace platform {

// Starts programs by name and waits for them. The game's command word "config.exe"
// names the configurator, velkaro-config; programs are looked for in the game's own
// folder, then the working directory, then PATH.
class ChildProcesses : public Processes {
public:
  bool RunAndWait(const std::string& command) override;
};

// Where a command word's program is, or empty.
std::string FindProgram(const std::string& command);

}  // namespace platform
