#pragma once
// The UI probe behind platform/ui_probe.h: one frame of the window's UI as a text file,
// written whole beside the file and renamed over it at every frame, so a reader always
// sees one complete frame. One line each, fields separated by tabs:
//   frame    N                          frames recorded so far, from 1
//   state    TEXT                       the program's state (empty without a source)
//   display  W H                        the window's client area, px
//   mouse    X Y                        where the UI sees the pointer (no line while it
//                                       is outside the window)
//   window   NAME X Y W H KIND          an open window: KIND is window, popup, modal,
//                                       menu or tooltip
//   widget   NAME X Y W H FLAGS VALUE   a named item's visible part; FLAGS is "-" or a
//                                       comma-separated list of active (pressed or being
//                                       edited), hovered, disabled; VALUE may be empty
// Positions are in the window's client area as the UI lays it out, px from its top-left
// corner. Tabs and line breaks inside names and values are written as spaces.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace platform {

class UiProbe {
public:
  // Records into `path` while it exists. Only one probe records at a time: a second
  // one stays idle (Recording() false).
  explicit UiProbe(std::string path);
  ~UiProbe();
  UiProbe(const UiProbe&) = delete;
  UiProbe& operator=(const UiProbe&) = delete;

  // The file VELKARO_UI_PROBE names for a program: the variable's value, or within the
  // folder it names (an existing folder, or a value ending in '/') "<program>.txt", so
  // the game and the configurator it starts write files of their own. Empty when the
  // variable is unset or empty.
  static std::string PathFromEnvironment(const std::string& program);

  bool Recording() const;
  const std::string& Path() const { return path_; }

  // Called within a UI frame by the window: forgets the last frame's names (after
  // ImGui::NewFrame), then writes the frame (after it was rendered). False when the
  // file could not be written.
  void BeginFrame();
  bool EndFrame();

  // What platform/ui_probe.h's calls record.
  void AddItem(const char* name, const char* value);
  void NameWindow(const char* name);

private:
  std::string path_;
  bool recording_ = false;
  uint64_t frames_ = 0;
  std::string items_;                            // this frame's widget lines
  std::map<unsigned, std::string> windowNames_;  // by the UI's window id
};

}  // namespace platform
