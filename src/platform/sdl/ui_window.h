#pragma once
// A window with an OpenGL context and Dear ImGui drawing with a Japanese font: what
// the game's window and the configurator's share. Opening starts SDL's video; the
// destructor undoes everything it did, in reverse.
#include <memory>
#include <string>

struct SDL_Window;
union SDL_Event;

namespace platform {

class UiProbe;

struct UiWindowOptions {
  const char* Title = "";
  int Width = 0;   // px
  int Height = 0;  // px
  bool FullScreen = false;
  bool Resizable = false;
  bool FitToDisplay = true;   // a resizable window is also fitted into the display's usable area
  bool WaitForVsync = false;  // the game paces itself; a tool may wait for the display
  bool GameSurface = false;   // the game's depth buffer (see RequestGameGlSurface)
  float FontSize = 16.0f;     // px
};

class UiWindow {
public:
  UiWindow();
  ~UiWindow();
  UiWindow(const UiWindow&) = delete;
  UiWindow& operator=(const UiWindow&) = delete;

  // Starts SDL's video and opens the window; false with a reason when there is no
  // display (SDL's offscreen fallback counts as none unless asked for) or the window
  // or its context cannot be made. The UI may be missing while the window exists.
  bool Open(const UiWindowOptions& options, std::string& error);

  SDL_Window* Handle() const { return window_; }
  bool UiReady() const { return uiReady_; }
  // The UI probe writes the window's state at each frame (VELKARO_UI_PROBE is set).
  bool UiProbeOn() const { return probe_ != nullptr; }
  int DrawableWidth() const;   // px
  int DrawableHeight() const;  // px
  // Replaces the title bar's text (UTF-8); the UI probe's file keeps the name it was
  // opened with.
  void SetTitle(const std::string& utf8Title);

  // Hands one event to the UI; true when it asks to close the window (the close
  // button or a quit request).
  bool Deliver(const SDL_Event& event);

  // What arrived besides what the UI handles itself.
  struct Input {
    int Events = 0;               // events of any kind
    bool CloseRequested = false;  // the window's close button or a quit request
    std::string CtrlKeys;         // letters pressed with Ctrl, in order; upper case with Shift too
  };
  // Waits for input (at most timeoutMs; 0: only what is waiting) and hands it to the
  // UI, up to one key change per call (the UI sees key states once a frame): call
  // again without waiting while Events > 0.
  Input PumpEvents(int timeoutMs);

  // What an input method is composing (its pre-edit text, UTF-8, and cursor in
  // characters), from the text-editing events; empty once the text was taken.
  struct Composition {
    std::string Text;
    int Cursor = 0;
  };
  const Composition& Preedit() const { return preedit_; }
  // Tells the input method where the text goes in (window pixels), so its candidate
  // window opens there.
  void SetTextInputArea(int x, int y, int width, int height);

  // Switches between full screen (in the display mode closest to width x height px,
  // covering the display from its corner) and the window as it was before.
  void SetFullScreen(bool fullScreen, int width, int height);
  bool FullScreen() const;

  void BeginUiFrame();
  // Fills the whole drawable with one colour (0..1 each).
  void ClearTo(float red, float green, float blue);
  // Draws the UI over whatever the frame holds, leaving the game's GL state as it was,
  // then shows the frame (and records it where VELKARO_UI_PROBE asks for it: see
  // platform/ui_probe.h).
  void EndUiFrame();

private:
  // Shrinks and moves the window so its frame (title bar and borders) lies within the
  // display's usable area from top to bottom, once the window manager has said how
  // large the frame is.
  void FitFrameIntoUsableArea();

  SDL_Window* window_ = nullptr;
  bool fitFramePending_ = false;  // until the frame's size is known
  void* gl_ = nullptr;
  bool sdlReady_ = false;
  bool uiReady_ = false;
  std::unique_ptr<UiProbe> probe_;  // only while VELKARO_UI_PROBE is set
  bool probeFailed_ = false;        // said once
  Composition preedit_;
  struct {
    int X = 0, Y = 0, Width = 0, Height = 0;  // px
  } windowed_;                                // where the window was before it went full screen
};

// The game's frame may leave another texture unit active or enabled, and vertex
// arrays pointing into its own memory; UI drawing uses unit 0 alone and its own
// arrays. Callers save and restore the enables and arrays around it.
void UseTextureUnitZeroOnly();

}  // namespace platform
