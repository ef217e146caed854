#include "platform/sdl/sdl_input.h"

#include <SDL.h>

namespace platform {
namespace {

SDL_Scancode ScancodeOf(Key key) {
  switch (key) {
    case Key::Space: return SDL_SCANCODE_SPACE;
    case Key::Up: return SDL_SCANCODE_UP;
    case Key::Down: return SDL_SCANCODE_DOWN;
    case Key::Left: return SDL_SCANCODE_LEFT;
    case Key::Right: return SDL_SCANCODE_RIGHT;
    case Key::Digit0: return SDL_SCANCODE_0;
    case Key::Digit1: return SDL_SCANCODE_1;
    case Key::Digit2: return SDL_SCANCODE_2;
    case Key::Digit3: return SDL_SCANCODE_3;
    case Key::Digit4: return SDL_SCANCODE_4;
    case Key::A: return SDL_SCANCODE_A;
    case Key::S: return SDL_SCANCODE_S;
    case Key::X: return SDL_SCANCODE_X;
    case Key::Z: return SDL_SCANCODE_Z;
    case Key::G: return SDL_SCANCODE_G;
    default: return SDL_SCANCODE_UNKNOWN;
  }
}

}  // namespace

bool SdlInput::IsDown(Key key) {
  if (key == Key::LeftButton) return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
  const SDL_Scancode code = ScancodeOf(key);
  if (code == SDL_SCANCODE_UNKNOWN) return false;
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  return code < count && state[code];
}

CursorPos SdlInput::Cursor() {
  CursorPos pos;
  SDL_GetMouseState(&pos.X, &pos.Y);
  return pos;
}

}  // namespace platform
