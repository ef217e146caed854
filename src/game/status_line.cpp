#include "game/status_line.h"

#include "game/hud_layout.h"

namespace game {

void ShowStatus(StatusLine& line, platform::GraphicsDevice& device, int pictureHeight, std::string sjisText,
                uint32_t nowMs) {
  if (!line.Box.Font) {
    const auto top = static_cast<int16_t>(pictureHeight - hud::kStatusFontHeight);
    line.Box.Create(device, hud::kStatusFontHeight, 0, top, hud::kStatusWidth, hud::kStatusFontHeight);
  }
  line.SjisText = std::move(sjisText);
  line.ShownSince = nowMs;
  line.Active = true;
}

void DrawStatus(StatusLine& line, uint32_t nowMs) {
  if (!line.Active) return;
  if (nowMs - line.ShownSince >= StatusLine::kShownMs) {  // unsigned: safe across the clock's wrap
    line.Active = false;
    return;
  }
  line.Box.Draw(line.SjisText);
}

}  // namespace game
