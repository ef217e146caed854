#pragma once
// The configurator's window: SDL2 with an OpenGL context and Dear ImGui drawing with
// a Japanese font, the way the game sets up its own window.
#include <string>

struct SDL_Window;

namespace config {

class ConfigWindow {
public:
  ConfigWindow() = default;
  ~ConfigWindow();
  ConfigWindow(const ConfigWindow&) = delete;
  ConfigWindow& operator=(const ConfigWindow&) = delete;

  // Opens the window; false with a reason when there is no display or no OpenGL.
  bool Open(const char* title, int width, int height, std::string& error);

  // What arrived besides what Dear ImGui handles itself.
  struct Input {
    int Events = 0;            // events of any kind
    bool CloseRequested = false;  // the window's close button
    bool SaveKey = false;      // Ctrl+S
    bool OpenKey = false;      // Ctrl+O
  };

  // Waits for input (at most timeoutMs; 0: only what is waiting) and hands it to the
  // UI.
  Input PumpEvents(int timeoutMs);

  void BeginFrame();
  void EndFrame();

private:
  SDL_Window* window_ = nullptr;
  void* gl_ = nullptr;
  bool sdlReady_ = false;
  bool uiReady_ = false;
};

}  // namespace config
