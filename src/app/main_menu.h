#pragma once
#include <vector>

#include "platform/sdl/app_window.h"

namespace app {

// The window's menu: "機体メニュー" and "オプション" with their commands.
std::vector<platform::MenuPopup> MainMenu();

}  // namespace app
