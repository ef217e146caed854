// velkaro-config: the aircraft configurator. Edits the design in "temp.txt" in the
// working directory; the game starts it as "config.exe" and reads that file when it
// ends.
#include <imgui.h>

#include <cstdio>
#include <string>

#include "config_ui.h"
#include "platform/sdl/ui_window.h"

namespace {

constexpr int kWindowWidth = 1280;   // px
constexpr int kWindowHeight = 960;   // px
constexpr int kIdleWaitMs = 250;     // an idle window redraws four times a second
constexpr int kFramesAfterInput = 3; // hover and focus changes settle within a few frames
constexpr float kFontSize = 15.0f;   // px
constexpr float kBackground = 0.94f; // light grey behind the panels

// Compact rows: the file has 49 lines of values, and most should fit at once.
void UseCompactStyle() {
  ImGuiStyle& style = ImGui::GetStyle();
  style.FramePadding.y = 2;
  style.ItemSpacing.y = 3;
  style.CellPadding.y = 1;
}

}  // namespace

int main() {
  platform::UiWindow window;
  platform::UiWindowOptions options;
  options.Title = "velkaro-config";
  options.Width = kWindowWidth;
  options.Height = kWindowHeight;
  options.Resizable = true;
  options.WaitForVsync = true;
  options.FontSize = kFontSize;
  std::string error;
  if (!window.Open(options, error)) {
    std::fprintf(stderr, "velkaro-config: %s\n", error.c_str());
    return 1;
  }
  UseCompactStyle();
  config::UiState ui;
  config::StartUi(ui);
  int eagerFrames = kFramesAfterInput;
  while (!ui.Quit) {
    const bool eager = config::UiBusy(ui) || eagerFrames > 0;
    const platform::UiWindow::Input input = window.PumpEvents(eager ? 0 : kIdleWaitMs);
    if (input.Events > 0) {
      eagerFrames = kFramesAfterInput;
    } else if (eagerFrames > 0) {
      --eagerFrames;
    }
    window.BeginUiFrame();
    const bool ctrlS = input.CtrlKeys.find('s') != std::string::npos;
    const bool ctrlO = input.CtrlKeys.find('o') != std::string::npos;
    config::DrawUi(ui, {.Close = input.CloseRequested, .Save = ctrlS, .Open = ctrlO});
    window.ClearTo(kBackground, kBackground, kBackground);
    window.EndUiFrame();
  }
  return 0;
}
