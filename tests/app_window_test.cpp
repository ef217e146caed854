// The game's window on SDL's offscreen video driver, in a process of its own (its UI
// context is the only one): how key events reach its menu bar.
#include "platform/sdl/app_window.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <imgui.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

void PushKey(Uint32 type, SDL_Keycode key) {
  SDL_Event event{};
  event.type = type;
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = key;
  event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  SDL_PushEvent(&event);
}

// The messages PollMessage hands out before it says none is waiting.
int Drain(platform::AppWindow& window) {
  int count = 0;
  for (platform::WindowMessage message; window.PollMessage(message);) ++count;
  return count;
}

TEST(AppWindow, AQuickKeyPressReachesTheUiInAFrameOfItsOwn) {
  // An Esc pressed and released between two ticks, as a quick tap on a busy machine
  // arrives: the UI must see it down in one frame (an open menu closes on it), so the
  // release waits for the frame after.
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  platform::AppWindow window;
  std::string error;
  const std::vector<platform::MenuPopup> menu{{"File", {{7, "Save", true}}}};
  if (!window.Open({"app window test", 320, 240, false}, menu, error)) GTEST_SKIP() << "no window: " << error;
  Drain(window);
  window.PresentFrame();
  const int escape = SDL_SCANCODE_ESCAPE;

  PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
  PushKey(SDL_KEYUP, SDLK_ESCAPE);
  EXPECT_EQ(Drain(window), 1) << "the release waits for a frame";
  window.PresentFrame();
  EXPECT_EQ(ImGui::GetIO().KeysDownDuration[escape], 0.0f) << "the UI saw Esc go down";
  EXPECT_EQ(Drain(window), 1);
  window.PresentFrame();
  EXPECT_LT(ImGui::GetIO().KeysDownDuration[escape], 0.0f) << "and then up";
}

}  // namespace
