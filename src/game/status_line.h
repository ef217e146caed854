#pragma once
// A short line of text at the picture's bottom-left corner, shown for a few seconds
// after something the player asked for happened where the picture cannot show it (the
// file a CSV export wrote). It covers none of the HUD: the fps line, the wind and the
// distance are at the top, the tail gauge at the right, the ranking list at the left
// from the top down.
#include <cstdint>
#include <string>

#include "game/hud.h"

namespace game {

struct StatusLine {
  static constexpr uint32_t kShownMs = 4000;  // how long a message stays

  std::string SjisText;
  uint32_t ShownSince = 0;  // ms
  bool Active = false;
  TextBox Box;  // created with the first message, so a game that never shows one
                // makes no font for it
};

// Shows a message from `nowMs` on, for the picture of the given height (px).
void ShowStatus(StatusLine& line, platform::GraphicsDevice& device, int pictureHeight, std::string sjisText,
                uint32_t nowMs);

// Draws the message while it is due; does nothing (no device call) otherwise.
void DrawStatus(StatusLine& line, uint32_t nowMs);

}  // namespace game
