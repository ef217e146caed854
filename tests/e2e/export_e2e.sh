#!/usr/bin/env bash
# End to end under Xvfb: a whole flight of the shipped aircraft is flown and
# registered, and the menu's CSV export chosen during its replay writes every row of
# the flight (row 0 to touchdown), with the file's name shown at the bottom-left.
# Usage: export_e2e.sh GAME_EXECUTABLE DATA_DIR SCREENSHOT_DIR
# Exits 77 (skipped) when Xvfb or xdotool is missing.
game=$1 data=$2 shots=$3
e2e_tools="import"
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/register_flight.sh"

cp -r "$data"/. "$work"/
printf ',0,,0,,0,,0,,0,,0,,0,,0,,0,,0,0' >"$work/rank/Ranking.txt"  # any distance ranks
mkdir -p "$shots"
cd "$work"
start_game "$work"

hold_key_until space 'Launch|Flight'
# The shipped aircraft flies about 47 s.
wait_for_name_dialog 180 "$shots/export-0-no-dialog.png"
xdotool key Return
poll_until 30 ranking_has_entry "$work" || fail "no flight was registered"
wait_for_closed name
wait_for_state Replay
wait_for_frames 150  # well into the replay (it lasts as long as the flight)

csv_count() { ls 20*-*.txt 2>/dev/null | wc -l; }
before=$(csv_count)
csv_written() { [ "$(csv_count)" -gt "$before" ]; }
click_widget "menu.機体メニュー"
click_widget menu.40006  # "CSVデータへ書き出し"
poll_until 30 csv_written || fail "no CSV file was written"
wait_for_frames 2  # the command has ended: the file is whole
import -window root "$shots/export-1-during-replay.png"
csv=$(ls 20*-*.txt 2>/dev/null | tail -n 1)
# Every row from 0 to touchdown: row i at i * 0.02 s, the last one below 0.2 m.
awk -F, 'NR == 1 { next }
  { if ($1 + 0 > (NR - 2) * 0.02 + 0.001 || $1 + 0 < (NR - 2) * 0.02 - 0.001) { print "row " NR - 2 " at " $1; bad = 1; exit } last = $3 }
  END { if (bad) exit 1; if (NR - 1 < 1000) { print "only " NR - 1 " rows"; exit 1 }
        if (last + 0 >= 0.2) { print "the last row is at " last " m, not at touchdown"; exit 1 }
        print NR - 1 " rows, the last at " last " m" }' "$csv" || fail "the export is not the whole flight"

stop_game
echo "PASS: the export during the replay holds every row of the flight; screenshot in $shots"
