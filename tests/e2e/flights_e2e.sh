#!/usr/bin/env bash
# End to end under Xvfb: the configurator compares the design with a ranked entry's
# (the rows that differ are marked in yellow; against itself none are) and overlays two
# flights, a ranked entry flown headless and a CSV export of the game, each in its own
# colour.
# Usage: flights_e2e.sh CONFIG_EXECUTABLE SIM_EXECUTABLE DATA_DIR SCREENSHOT_DIR
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
config_program=$1 sim=$2 data=$3 shots=$4
e2e_tools="import convert compare"
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/compare_and_plot.sh"
mkdir -p "$shots"

mkdir -p "$work/play"
cp -r "$data"/. "$work/play"/
# A CSV export of the shipped glider's untouched flight, named as the game names them.
export_file=20261209-102000.txt
(cd "$work/play" && "$sim" temp.txt --csv "$export_file" >/dev/null) || fail "velkaro-sim could not write the export"

(cd "$work/play" && exec "$config_program" >"$work/config.log" 2>&1) &
game_pid=$!
config=$(wait_for_window velkaro-config)
[ -n "$config" ] || { show_logs "$work/config.log"; fail "the configurator did not start"; }
xdotool windowfocus --sync "$config" 2>/dev/null || true
use_ui "$config" velkaro-config

compare_designs rank/rank3.txt temp.txt flights-1-compare-rank3.png
plot_two_flights rank/rank3.txt "$export_file" flights-2-two-flights.png

kill -TERM "$game_pid" 2>/dev/null
wait "$game_pid" 2>/dev/null
game_pid=""
grep -q . "$work/config.log" && { cat "$work/config.log"; fail "the configurator warned"; }
echo "PASS: design compared with rank3.txt (rows marked, none against itself), an entry and an export overlaid; screenshots in $shots"
