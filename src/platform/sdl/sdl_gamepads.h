#pragma once
// The game controllers plugged in, through SDL's game controller layer: opened when
// they arrive (also those present at start), closed when they go.
#include <atomic>
#include <vector>

#include "platform/input.h"

struct _SDL_GameController;
union SDL_Event;

namespace platform {

class SdlGamepads {
public:
  // Starts SDL's game controller subsystem and watches for controllers coming and
  // going. Without it (no joystick support here) there are simply no controllers.
  SdlGamepads();
  ~SdlGamepads();
  SdlGamepads(const SdlGamepads&) = delete;
  SdlGamepads& operator=(const SdlGamepads&) = delete;

  // As of SDL's last event pumping: whether any controller holds the button, and the
  // left stick's vertical position of the controller whose stick is furthest out
  // (-1 forward .. 1 back).
  bool IsDown(PadButton button);
  double StickY();
  // Controllers open now.
  int Count();

private:
  // Opens controllers that arrived and closes those that went, once the event watch
  // has seen a device event since the last call.
  void Sync();
  static int WatchEvents(void* self, SDL_Event* event);

  bool Started_ = false;
  std::atomic<bool> DevicesChanged_{true};
  std::vector<_SDL_GameController*> Open_;
};

}  // namespace platform
