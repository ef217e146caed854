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

# Window-relative places of the menu (its layout is fixed by the program).
game_menu_x=40 game_menu_y=10  # "機体メニュー"
csv_item_x=60 csv_item_y=78    # "CSVデータへ書き出し", the third item
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.5; }

xdotool keydown --window "$window" space; sleep 0.5; xdotool keyup --window "$window" space
# The shipped aircraft flies about 47 s.
wait_for_name_dialog 180 "$shots/export-0-no-dialog.png"
sleep 0.5
xdotool key Return
for _ in $(seq 50); do head -c 3 rank/Ranking.txt | grep -q '^,0,' || break; sleep 0.2; done
head -c 3 rank/Ranking.txt | grep -q '^,0,' && fail "no flight was registered"
sleep 3  # well into the replay (it lasts as long as the flight)

before=$(ls 20*-*.txt 2>/dev/null | wc -l)
click "$game_menu_x" "$game_menu_y"
click "$csv_item_x" "$csv_item_y"
sleep 0.5
import -window root "$shots/export-1-during-replay.png"
csv=$(ls 20*-*.txt 2>/dev/null | tail -n 1)
[ "$(ls 20*-*.txt 2>/dev/null | wc -l)" -gt "$before" ] || fail "no CSV file was written"
# Every row from 0 to touchdown: row i at i * 0.02 s, the last one below 0.2 m.
awk -F, 'NR == 1 { next }
  { if ($1 + 0 > (NR - 2) * 0.02 + 0.001 || $1 + 0 < (NR - 2) * 0.02 - 0.001) { print "row " NR - 2 " at " $1; bad = 1; exit } last = $3 }
  END { if (bad) exit 1; if (NR - 1 < 1000) { print "only " NR - 1 " rows"; exit 1 }
        if (last + 0 >= 0.2) { print "the last row is at " last " m, not at touchdown"; exit 1 }
        print NR - 1 " rows, the last at " last " m" }' "$csv" || fail "the export is not the whole flight"

stop_game
echo "PASS: the export during the replay holds every row of the flight; screenshot in $shots"
