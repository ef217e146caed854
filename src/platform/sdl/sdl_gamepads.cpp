#include "platform/sdl/sdl_gamepads.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

constexpr double kStickFullTravel = 32767.0;  // SDL's axis value at full deflection

SDL_GameControllerButton SdlButtonOf(PadButton button) {
  switch (button) {
    case PadButton::A: return SDL_CONTROLLER_BUTTON_A;
    case PadButton::DpadUp: return SDL_CONTROLLER_BUTTON_DPAD_UP;
    case PadButton::DpadDown: return SDL_CONTROLLER_BUTTON_DPAD_DOWN;
    case PadButton::LeftShoulder: return SDL_CONTROLLER_BUTTON_LEFTSHOULDER;
    case PadButton::RightShoulder: return SDL_CONTROLLER_BUTTON_RIGHTSHOULDER;
    default: return SDL_CONTROLLER_BUTTON_INVALID;
  }
}

bool IsDeviceEvent(Uint32 type) {
  return type == SDL_CONTROLLERDEVICEADDED || type == SDL_CONTROLLERDEVICEREMOVED ||
         type == SDL_CONTROLLERDEVICEREMAPPED;
}

}  // namespace

SdlGamepads::SdlGamepads() {
  // The watch sees every event as it is queued, also the arrivals of the controllers
  // already plugged in that starting the subsystem announces.
  SDL_AddEventWatch(&SdlGamepads::WatchEvents, this);
  Started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

SdlGamepads::~SdlGamepads() {
  SDL_DelEventWatch(&SdlGamepads::WatchEvents, this);
  for (SDL_GameController* pad : Open_) SDL_GameControllerClose(pad);
  if (Started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

// Only notes the change: the watch may run on another thread, and opening a controller
// queues events of its own.
int SdlGamepads::WatchEvents(void* self, SDL_Event* event) {
  if (IsDeviceEvent(event->type)) static_cast<SdlGamepads*>(self)->DevicesChanged_ = true;
  return 1;
}

void SdlGamepads::Sync() {
  if (!Started_ || !DevicesChanged_.exchange(false)) return;
  // Gone: closed. Arrived: every game controller not open yet, by its instance id
  // (device indices shift as devices come and go).
  std::erase_if(Open_, [](SDL_GameController* pad) {
    if (SDL_GameControllerGetAttached(pad)) return false;
    SDL_GameControllerClose(pad);
    return true;
  });
  for (int index = 0; index < SDL_NumJoysticks(); ++index) {
    if (!SDL_IsGameController(index)) continue;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
    const bool open = std::any_of(Open_.begin(), Open_.end(), [id](SDL_GameController* pad) {
      return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id;
    });
    if (open) continue;
    if (SDL_GameController* pad = SDL_GameControllerOpen(index)) Open_.push_back(pad);
  }
}

bool SdlGamepads::IsDown(PadButton button) {
  Sync();
  const SDL_GameControllerButton sdlButton = SdlButtonOf(button);
  return sdlButton != SDL_CONTROLLER_BUTTON_INVALID && std::any_of(Open_.begin(), Open_.end(), [&](auto* pad) {
           return SDL_GameControllerGetButton(pad, sdlButton) != 0;
         });
}

double SdlGamepads::StickY() {
  Sync();
  double furthest = 0;
  for (SDL_GameController* pad : Open_) {
    const double y = std::clamp(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY) / kStickFullTravel, -1.0, 1.0);
    if (std::fabs(y) > std::fabs(furthest)) furthest = y;
  }
  return furthest;
}

int SdlGamepads::Count() {
  Sync();
  return static_cast<int>(Open_.size());
}

}  // namespace platform
