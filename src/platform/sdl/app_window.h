#pragma once
// The game's one window on SDL2: an OpenGL context, the menu bar above the picture,
// modal message boxes and the name dialog drawn with Dear ImGui, and the window's
// messages (menu commands, close requests) handed to the game's loop.
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/sdl/ui_dialogs.h"
#include "platform/shell.h"

struct SDL_Window;
union SDL_Event;

namespace platform {

struct WindowConfig {
  const char* Title = "velkaro";
  int Width = 0;   // px, the whole window
  int Height = 0;  // px
  bool FullScreen = false;
};

class AppWindow : public Menu, public Dialogs {
public:
  AppWindow();
  ~AppWindow() override;

  // Opens the window; false with a reason when there is no display or the window or
  // its OpenGL context cannot be made.
  bool Open(const WindowConfig& config, const std::vector<MenuPopup>& menu, std::string& error);

  // The next waiting message, if any: menu commands chosen in the last frame, then the
  // window system's events (which also feed the menu and dialogs), up to one key change
  // per frame: the next one waits until a frame was presented.
  bool PollMessage(WindowMessage& message);

  // Shows the finished picture scaled to the window's picture area (stretched below
  // the menu bar in a window; letterboxed on a full screen), draws the menu bar over
  // it and shows the frame. In full screen the bar shows only while the pointer is at
  // the screen's top edge, on the bar, or in one of its menus.
  void PresentFrame();

  // Looks up an OpenGL function of the window's context by name: the graphics
  // device's loader.
  static void* GlFunction(const char* name);

  // Size of the picture the game renders (px), fixed when the window opens: the area
  // below the menu bar in a window, the boot size on a full screen. Resizing the
  // window scales the picture, never re-renders it at another size.
  int PictureWidth() const;
  int PictureHeight() const;
  int MenuBarHeight() const { return menuBarHeight_; }

  // Menu.
  bool IsChecked(int commandId) override;
  void SetChecked(int commandId, bool checked) override;
  void SetItem(int commandId, const std::string& sjisText, bool enabled) override;

  // Dialogs: modal, the last picture stays visible behind them.
  void ShowWarning(const std::string& sjisText) override;
  std::optional<std::string> AskPilotName() override;
  std::optional<LeagueFields> AskLeagueSettings(const LeagueFields& current) override;

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  int menuBarHeight_ = 0;
};

}  // namespace platform
