#!/usr/bin/env bash
# End to end under Xvfb: the game starts, shows its menu bar and HUD, launches on
# Space, lands, asks for the pilot's name, replays the flight and returns to the
# start; it quits on SIGTERM through its shutdown (the ranking is saved). The name is
# typed with an Esc and a stray click in the middle, and ends with Enter. The play
# folder is made by the play-folder seeding of scripts/run-game.sh, which then runs
# again over it: the registered ranking and the player's files must survive it.
# Usage: game_e2e.sh GAME_EXECUTABLE DATA_DIR SCREENSHOT_DIR
# Exits 77 (skipped) when Xvfb or xdotool is missing.
game=$1 data=$2 shots=$3
e2e_tools="import"
source "$(dirname "$0")/xvfb_session.sh"

seed="$(dirname "$0")/../../scripts/seed-play-folder.sh"
source "$(dirname "$0")/register_flight.sh"
bash "$seed" "$data" "$work"
make_quick_flight "$work"
mkdir -p "$shots"
cd "$work"
start_game "$work"
import -window root "$shots/1-ready.png"
grep -q . "$work/game.log" && { cat "$work/game.log"; fail "the game warned at start-up"; }
register_flight "$work" "$shots" ""
wait_for_state Ready  # the replay has ended
wait_for_frames 2
import -window root "$shots/5-ready-again.png"

stop_game
head -c 3 "$work/rank/Ranking.txt" | grep -q '^,0,' && fail "the ranking was not saved"

players_files() { (cd "$work" && cat rank/* temp.txt BootConfig.txt | md5sum); }
before=$(players_files)
rm -f "$work/image/wave.bmp"  # shipped art that is missing is put back
bash "$seed" "$data" "$work"
[ "$(players_files)" = "$before" ] || fail "seeding the play folder again changed the ranking or the player's files"
[ -f "$work/image/wave.bmp" ] || fail "seeding the play folder again did not add missing art"
echo "PASS: started, launched, landed, registered, replayed and quit; the ranking survived seeding again; screenshots in $shots"
