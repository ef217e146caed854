// The league option's hooks: a registered flight goes to the league's link, and what
// the league answers shows in the status line and, for the latest flight, under the
// replay's distance. Without a link every hook returns at once.
#include "game/features.h"
#include "game/hud_layout.h"
#include "platform/services.h"
#include "ranking/registration.h"

namespace game {
namespace {

void SendRegisteredFlight(Game& g) {
  if (!g.League || !g.PlayerDesignText || !g.Aircraft) return;
  g.LeagueNote.clear();  // the note of the previous flight is not this one's
  g.League->SendFlight(ranking::EntryFileText(*g.PlayerDesignText, g.Ranking->InProgressLog, g.Aircraft->Step),
                       g.Aircraft->DisplayX);
}

FeatureRequest ReadLeagueNews(Game& g, InputSnapshot&) {
  if (!g.League) return FeatureRequest::None;
  for (std::string& news : g.League->TakeNews()) {
    ShowStatus(g.Status, *g.Device, g.ClientHeight, news, platform::Os().clock->NowMs());
    g.LeagueNote = std::move(news);
  }
  return FeatureRequest::None;
}

// Only over the player's own replay: the demo's flights are not the latest flight.
void DrawLeagueNote(Game& g) {
  if (!g.League || g.LeagueNote.empty() || g.State != Replay) return;
  if (!g.LeagueNoteText.Font) {
    // Under the replay's small digits at the top right.
    const int left = g.WindowWidth - hud::kSmallCellsFromRight;
    const int width = std::max(0, std::min<int>(hud::kLeagueNoteWidth, g.WindowWidth - left));
    g.LeagueNoteText.Create(*g.Device, hud::kLeagueNoteFontHeight, static_cast<int16_t>(left),
                            hud::kSmallCellHeight + hud::kLeagueNoteGap, static_cast<int16_t>(width),
                            hud::kLeagueNoteFontHeight);
  }
  g.LeagueNoteText.DrawOutlined(g.LeagueNote);
}

}  // namespace

FeatureHooks LeagueHooks() {
  FeatureHooks hooks;
  hooks.BeforeTick = ReadLeagueNews;
  hooks.AfterRegistration = SendRegisteredFlight;
  hooks.DrawOverReplay = DrawLeagueNote;
  return hooks;
}

}  // namespace game
