#pragma once
// The league option of the game (off until the player names a league): its settings
// in the settings file, the dialog that edits them, and the link that sends the
// registered flights.
#include <memory>
#include <string>

#include "game/game.h"
#include "league/client/league_settings.h"
#include "platform/net/http_client.h"

namespace app {

using HttpClientFactory = std::unique_ptr<platform::HttpClient> (*)();

// Connects the game to the league the settings file names (nothing when none): the
// flights still in the outbox from an earlier run go out first.
void StartLeague(game::Game& game, HttpClientFactory makeClient = platform::MakeHttpClient);

// オプション → リーグ…: the dialog; what it leaves is kept in the settings file and
// the link follows it (started, pointed elsewhere, or stopped when the address is
// emptied). The player's token is made the first time a league is named.
void EditLeagueSettings(game::Game& game, HttpClientFactory makeClient = platform::MakeHttpClient);

// The link for these settings (a league named, a token made); its requests go through
// clients `makeClient` makes.
std::unique_ptr<game::LeagueLink> MakeLeagueLink(const league::LeagueSettings& settings, HttpClientFactory makeClient);

}  // namespace app
