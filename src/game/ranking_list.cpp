#include "game/ranking_list.h"

#include "game/hud_layout.h"
#include "ranking/ranking_line.h"

namespace game {
namespace {

using namespace hud;

constexpr uint32_t kHighlightColour = 0xFFFF6400;  // opaque orange
constexpr uint32_t kLineColour = 0xFFFFFFFF;

// The line to draw in orange, -1 for none.
int HighlightedLine(const ranking::RankingTable& table, ListHighlight highlight) {
  switch (highlight.What) {
    case ListHighlight::Kind::Entry: return highlight.Entry;
    case ListHighlight::Kind::NewEntry: return table.NewEntryIndex < ranking::kEntryCount ? table.NewEntryIndex : -1;
    case ListHighlight::Kind::None: break;
  }
  return -1;
}

}  // namespace

void DrawRankingList(Game& g, ListHighlight highlight) {
  if (!g.Ranking || !g.ListFont) return;
  const int orange = HighlightedLine(*g.Ranking, highlight);
  for (int r = 0; r < ranking::kEntryCount; ++r) {
    const platform::PixelRect rect{kListLeft, kListTop + kListLineHeight * r, kListRight, kListTop + kListLineHeight * (r + 1)};
    g.ListFont->DrawText(ranking::RankingLine(g.Ranking->Entries[r]), rect,
                         r == orange ? kHighlightColour : kLineColour);
  }
}

}  // namespace game
