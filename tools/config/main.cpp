// velkaro-config: the aircraft configurator. Edits the design in "temp.txt" in the
// working directory; the game starts it as "config.exe" and reads that file when it
// ends.
#include <cstdio>
#include <string>

#include "config_ui.h"
#include "config_window.h"

namespace {

constexpr int kWindowWidth = 1280;   // px
constexpr int kWindowHeight = 960;   // px
constexpr int kIdleWaitMs = 250;     // an idle window redraws four times a second
constexpr int kFramesAfterInput = 3; // hover and focus changes settle within a few frames

}  // namespace

int main() {
  config::ConfigWindow window;
  std::string error;
  if (!window.Open("velkaro-config", kWindowWidth, kWindowHeight, error)) {
    std::fprintf(stderr, "velkaro-config: %s\n", error.c_str());
    return 1;
  }
  config::UiState ui;
  config::StartUi(ui);
  int eagerFrames = kFramesAfterInput;
  while (!ui.Quit) {
    const bool eager = config::UiBusy(ui) || eagerFrames > 0;
    const config::ConfigWindow::Input input = window.PumpEvents(eager ? 0 : kIdleWaitMs);
    if (input.Events > 0) {
      eagerFrames = kFramesAfterInput;
    } else if (eagerFrames > 0) {
      --eagerFrames;
    }
    window.BeginFrame();
    config::DrawUi(ui, {.Close = input.CloseRequested, .Save = input.SaveKey, .Open = input.OpenKey});
    window.EndFrame();
  }
  return 0;
}
