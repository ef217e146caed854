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
window_rect menubar
menu_bar=$WH  # px above the picture

# The share of pixels in the ranking list's row (0..9) drawn in the list's orange.
orange_share() {  # shot row
  local top=$((Y + menu_bar + 32 + 32 * $2))
  convert "$1" -crop "400x32+$((X + 10))+$top" +repage \
    -fx '(r > 0.85 && g > 0.3 && g < 0.5 && b < 0.15) ? 1 : 0' -format '%[fx:mean]' info:
}
row_orange() {  # shot row
  import -window root "$1"
  above "$(orange_share "$1" "$2")" 0.02
}

# The game menu, the list of flights beside its fourth item, and the list's fourth
# entry (rank3.txt), lit up under the pointer.
click_widget "menu.機体メニュー"
point_at_widget "menu.ランキングの飛行を見る"
wait_for_open "menu.ランキングの飛行を見る"
point_at_widget menu.40103
wait_for_widget_flag menu.40103 hovered
wait_for_frames 2
import -window root "$shots/watch-1-entry-list.png"
xdotool click 1

# The launch run takes a few seconds; then the flight shows beside the list.
wait_for_state Demo
poll_until 60 row_orange "$shots/watch-2-flight.png" 3 || fail "no flight with the fourth row highlighted"
for row in 0 1 2 4 5 6 7 8 9; do
  above "$(orange_share "$shots/watch-2-flight.png" $row)" 0.002 && fail "row $row is highlighted too"
done

# Held for a while, Space leaves the flight only once released, and does not launch.
xdotool keydown --window "$window" space
wait_for_state WaitRelease
sleep 1  # held: how long does not matter, only that it is held across many ticks
state_is WaitRelease || fail "the game left the watched flight while Space was held (state $(ui_state))"
xdotool keyup --window "$window" space
wait_for_state Ready
wait_for_frames 2
import -window root "$shots/watch-3-ready.png"
above "$(orange_share "$shots/watch-3-ready.png" 3)" 0.002 && fail "the fourth row is still highlighted at the start"
# At the start the coordinate log holds the working aircraft's first lines and does not
# grow; a launch would add lines every tick.
size=$(stat -c %s zahyou.txt)
wait_for_frames 50
[ "$(stat -c %s zahyou.txt)" = "$size" ] || fail "the game did not stop at the start (the log grows)"
state_is Ready || fail "the game left the start (state $(ui_state))"
no_warnings "$work/game.log"

stop_game
echo "PASS: the fourth ranked flight was watched with its row highlighted and left with Space; screenshots in $shots"
