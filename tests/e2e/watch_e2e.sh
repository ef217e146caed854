#!/usr/bin/env bash
# End to end under Xvfb: the menu's "ランキングの飛行を見る" lists the ten ranked
# flights; choosing the fourth (rank3.txt) flies it again beside the ranking list with
# its row in orange; Space (held, then released) leaves it for the start, where the
# game waits instead of launching.
# Usage: watch_e2e.sh GAME_EXECUTABLE DATA_DIR SCREENSHOT_DIR
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
game=$1 data=$2 shots=$3
e2e_tools="import convert"
source "$(dirname "$0")/xvfb_session.sh"

start_game_on_shipped_files
window_geometry "$window"

# Window-relative places of the menu (its layout is fixed by the program): the game
# menu, its fourth item (the list of flights) and the list's fourth entry beside it.
game_menu_x=40 game_menu_y=10
watch_item_x=60 watch_item_y=100
entry_x=300 entry_y=158
menu_bar=22  # px above the picture

# The share of pixels in the ranking list's row (0..9) drawn in the list's orange.
orange_share() {  # shot row
  local top=$((Y + menu_bar + 32 + 32 * $2))
  convert "$1" -crop "400x32+$((X + 10))+$top" +repage \
    -fx '(r > 0.85 && g > 0.3 && g < 0.5 && b < 0.15) ? 1 : 0' -format '%[fx:mean]' info:
}

# Waits until the menu's white background shows at the window-relative point (the
# picture there is sky); fails after 10 s.
wait_for_menu() {  # x y what
  for _ in $(seq 50); do
    import -window root "$shots/watch-0-menu.png"
    above "$(mean "$shots/watch-0-menu.png" "12x4+$((X + $1))+$((Y + $2))")" 0.9 && return 0
    sleep 0.2
  done
  fail "$3 did not open"
}
blank_x=170 first_entry_y=98  # px: right of the third item's text; beside the first entry's

xdotool mousemove --window "$window" "$game_menu_x" "$game_menu_y" click 1
wait_for_menu "$blank_x" 78 "the game menu"
xdotool mousemove --window "$window" "$watch_item_x" "$watch_item_y"
wait_for_menu "$((entry_x + 120))" "$first_entry_y" "the list of ranked flights"
xdotool mousemove --window "$window" "$entry_x" "$watch_item_y"  # into the list, along the item
xdotool mousemove --window "$window" "$entry_x" "$entry_y"
sleep 0.3  # the hovered entry lights up in the next frame
import -window root "$shots/watch-1-entry-list.png"
xdotool click 1

# The launch run takes a few seconds; then the flight shows beside the list.
watched=""
for _ in $(seq 120); do
  sleep 0.5
  import -window root "$shots/watch-2-flight.png"
  above "$(orange_share "$shots/watch-2-flight.png" 3)" 0.02 && { watched=1; break; }
done
[ -n "$watched" ] || fail "no flight with the fourth row highlighted"
for row in 0 1 2 4 5 6 7 8 9; do
  above "$(orange_share "$shots/watch-2-flight.png" $row)" 0.002 && fail "row $row is highlighted too"
done

# Held for a while, Space leaves the flight only once released, and does not launch.
xdotool keydown --window "$window" space
sleep 1
xdotool keyup --window "$window" space
left=""
for _ in $(seq 60); do
  sleep 0.5
  import -window root "$shots/watch-3-ready.png"
  above "$(orange_share "$shots/watch-3-ready.png" 3)" 0.002 || { left=1; break; }
done
[ -n "$left" ] || fail "Space did not leave the watched flight"
# At the start the coordinate log holds the working aircraft's first lines and does not
# grow; a launch would add lines every tick.
size=$(stat -c %s zahyou.txt)
sleep 1
[ "$(stat -c %s zahyou.txt)" = "$size" ] || fail "the game did not stop at the start (the log grows)"
no_warnings "$work/game.log"

stop_game
echo "PASS: the fourth ranked flight was watched with its row highlighted and left with Space; screenshots in $shots"
