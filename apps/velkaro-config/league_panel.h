#pragma once
// The league window: whether the design meets each contest's rules (a check made here,
// no league needed), and with a league named in the settings the chosen contest's top,
// fetched in the background, to overlay in the flights window with the design's flight.
#include <string>

#include "config/figures/game_figures.h"
#include "flight/aircraft.h"
#include "flights_panel.h"
#include "league/client/league_settings.h"
#include "league_view_model.h"

namespace config {

struct LeaguePanel {
  bool Open = false;
  bool WasOpen = false;             // in the last frame: the settings are read when it opens
  league::LeagueSettings Settings;  // as read when the window last opened
  LeagueTopView Top;
  std::string Message;  // UTF-8: what the last overlay did
};

// Draws the window while it is open. `spec`, `figures` and `designText` are the design
// being edited; an overlay opens the flights window and says in `status` what it did.
void DrawLeaguePanel(LeaguePanel& panel, const flight::AircraftSpec& spec, const GameFigures& figures,
                     const std::string& designText, FlightsPanel& flights, std::string& status);

// True while the top is being fetched, so the frame that takes it in comes soon.
inline bool LeaguePanelBusy(const LeaguePanel& panel) { return TopFetching(panel.Top); }

}  // namespace config
