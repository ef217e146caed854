#pragma once
// Names for what the window's UI shows, read by the end-to-end runs. With the
// environment variable VELKARO_UI_PROBE set, the window writes a file at every frame
// with each named item's rectangle, the windows and menus that are open and the
// program's state (src/platform/sdl/ui_probe.h describes the file); unset, each call
// here is a test of one flag and nothing else happens.
//
// Names are short ASCII words joined by dots ("file.save", "wind.field"): they are
// what the runs click and wait for, and stay the same when the layout changes.
#include <functional>
#include <string>

namespace platform {
namespace ui_probe_detail {
extern bool recording;
void NameLastItem(const char* name, const char* value);
void NameCurrentWindow(const char* name);
}  // namespace ui_probe_detail

// Whether this frame is being recorded: for callers that would build a name first.
inline bool UiProbeRecording() { return ui_probe_detail::recording; }

// Names the item drawn last (a button, a field, a menu item) in this frame; `value`,
// if given, is recorded beside it (a check mark's "checked", a field's text). A text
// field being edited records its text as it stands instead. Items that are scrolled or
// clipped out of sight are left out.
inline void NameLastItem(const char* name, const char* value = nullptr) {
  if (ui_probe_detail::recording) ui_probe_detail::NameLastItem(name, value);
}
inline void NameLastItem(const std::string& name, const char* value = nullptr) {
  if (ui_probe_detail::recording) ui_probe_detail::NameLastItem(name.c_str(), value);
}

// Names the window, popup or menu being drawn (call it between its Begin and End);
// unnamed ones are listed by their title.
inline void NameCurrentWindow(const char* name) {
  if (ui_probe_detail::recording) ui_probe_detail::NameCurrentWindow(name);
}
inline void NameCurrentWindow(const std::string& name) {
  if (ui_probe_detail::recording) ui_probe_detail::NameCurrentWindow(name.c_str());
}

// What the program is doing (the game's "Ready", "Flight"...), asked for each time a
// frame is recorded and never otherwise. The function must stay callable until it is
// replaced (an empty one removes it).
void SetUiStateSource(std::function<std::string()> source);

}  // namespace platform
