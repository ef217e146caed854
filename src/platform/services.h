#pragma once
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/input.h"
#include "platform/random.h"
#include "platform/shell.h"
#include "platform/sound.h"

namespace platform {

// The operating-system services the game logic reaches, one instance each for the
// whole process. main() installs the real ones; tests install doubles.
struct Services {
  Clock* clock = nullptr;
  Input* input = nullptr;
  Dialogs* dialogs = nullptr;
  Random* random = nullptr;
  Menu* menu = nullptr;
  Processes* processes = nullptr;
  Sound* sound = nullptr;  // none while the sound is off or no device could be opened
};

Services& Os();

// Shows a warning, in the language in use, through the installed dialogs (or on stderr
// when none is installed).
void ShowWarning(const std::string& sjisText);

// Installs a set of services for the lifetime of this object and restores the
// previous set afterwards.
class ScopedServices {
public:
  explicit ScopedServices(const Services& services);
  ~ScopedServices();
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

private:
  Services previous_;
};

}  // namespace platform
