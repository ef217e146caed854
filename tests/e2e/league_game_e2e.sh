#!/usr/bin/env bash
# End to end under Xvfb with a real league: the game, told the league's address in its
# settings file, flies a flight, registers it and sends it; the league lists it on its
# page (read in headless Chromium) and the game shows the league's answer under the
# replay's distance. The game fetches the league's top and races its first as a ghost.
# Then the league is stopped: the next registered flight (flown against that ghost)
# waits in the outbox, and goes once the league is back.
# Usage: league_game_e2e.sh GAME_EXECUTABLE LEAGUE_EXECUTABLE DATA_DIR SCREENSHOT_DIR
# Exits 77 (skipped) when Xvfb, xdotool, chromium or curl is missing.
game=$1 league=$2 data=$3 shots=$4
e2e_tools="import chromium curl python3 timeout"
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/register_flight.sh"
source "$(dirname "$0")/league_server.sh"
on_exit='[ -n "$league_pid" ] && kill "$league_pid" 2>/dev/null'

outbox_empty() { [ -z "$(ls "$work/play/league-outbox" 2>/dev/null | grep '\.json$')" ]; }
outbox_waiting() { [ -n "$(ls "$work/play/league-outbox" 2>/dev/null | grep '\.json$')" ]; }
league_lists() { curl -fsS --max-time 5 "http://127.0.0.1:$port/api/v1/contests/open/top" | grep -q "$1"; }  # text

mkdir -p "$work/play" "$shots"
bash "$(dirname "$0")/../../scripts/seed-play-folder.sh" "$data" "$work/play"
# A heavy pilot: the flight ends within seconds, from the contest's own launch height.
sed -i -e '8s/,100\r/,1000\r/' "$work/play/temp.txt"
printf ',0,,0,,0,,0,,0,,0,,0,,0,,0,,0,0' >"$work/play/rank/Ranking.txt"

started=0
for _ in 1 2 3 4 5; do
  port=$(free_port)
  if start_league "$league" "$work/league" "$port"; then started=1; break; fi
done
[ $started = 1 ] || fail "no free port for the league"
printf 'league.address=127.0.0.1:%s\nleague.contest=open\nleague.pilot=山田\n' "$port" >"$work/play/velkaro-settings.txt"

cd "$work/play"
start_game "$work/play"
register_flight "$work/play" "$shots" "league-"
poll_until 60 outbox_empty || fail "the flight never left the outbox"
poll_until 30 league_lists "山田" || fail "the league does not list the flight"
grep -q "league.token=[0-9a-f]\{32\}" velkaro-settings.txt || fail "no token was kept in the settings file"
wait_for_frames 5
import -window root "$shots/league-5-replay-with-answer.png"

browser --dump-dom "http://127.0.0.1:$port/" >"$work/index.html" || fail "Chromium could not read the league's page"
grep -q "山田" "$work/index.html" || fail "the league's page does not show the pilot"

# The league's top, fetched in the background (the league logs the entry file's
# download), then its first raced as the ghost.
entry_fetched() { grep -q "GET /api/v1/flights/[0-9a-f]* 200" "$work/league.log"; }
open_league_top() {
  click_widget menu.機体メニュー
  wait_for_widget menu.リーグの上位
  click_widget menu.リーグの上位
}
open_league_top
click_widget menu.40200
poll_until 60 entry_fetched || fail "the game did not fetch the league's top"
open_league_top
# The first place can be raced only once its flight has come and flies here.
wait_for_widget_flag menu.40220 '!disabled'
click_widget menu.40220

# The league goes away; the next flight waits for it.
stop_league
wait_for_state Ready 120
register_flight "$work/play" "$shots" "league-offline-"
poll_until 30 outbox_waiting || fail "the flight made while the league was away is not in the outbox"
sleep 2
outbox_waiting || fail "the flight left the outbox while no league could take it"
start_league "$league" "$work/league" "$port" || fail "the league could not listen on its port again"
poll_until 120 outbox_empty || fail "the waiting flight was not sent once the league was back"
flights=$(curl -fsS "http://127.0.0.1:$port/api/v1/contests/open/top" | python3 -c 'import json,sys; print(len(json.load(sys.stdin)["entries"]))')
[ "$flights" = 1 ] || fail "the league lists $flights pilots; one pilot flew"
stop_game
stop_league
echo "PASS: a flight went to the league and shows on its page; one made while it was away went once it was back; screenshots in $shots"
