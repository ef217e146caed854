#include "game/ranking_list.h"

#include "ranking/ranking_line.h"

namespace game {
namespace {

constexpr int kListLeft = 10, kListRight = 522;    // px
constexpr int kListTop = 32, kLineHeight = 32;     // px
constexpr uint32_t kHighlightColour = 0xFFFF6400;  // opaque orange
constexpr uint32_t kLineColour = 0xFFFFFFFF;

}  // namespace

void DrawRankingList(Game& g, int8_t highlight) {
  if (!g.Ranking || !g.ListFont) return;
  if (highlight < 0 && g.Ranking->NewEntryIndex < ranking::kEntryCount) highlight = g.Ranking->NewEntryIndex;
  for (int r = 0; r < ranking::kEntryCount; ++r) {
    const platform::PixelRect rect{kListLeft, kListTop + kLineHeight * r, kListRight, kListTop + kLineHeight * (r + 1)};
    g.ListFont->DrawText(ranking::RankingLine(g.Ranking->Entries[r]), rect,
                         r == highlight ? kHighlightColour : kLineColour);
  }
}

}  // namespace game
