#!/usr/bin/env bash
# End to end under Xvfb: the game's menu starts the configurator, the wind speed is
# changed there and saved, the configurator is closed from its menu, and the game then
# shows the new wind ("風速3.0m/s") at the start. The wind text is compared pixel for
# pixel with the game started on a file that already has that wind. The game plays in
# the design mode, so no demo starts while the configurator is open.
# Usage: config_e2e.sh GAME_EXECUTABLE DATA_DIR SCREENSHOT_DIR
# The configurator is found beside the game. Exits 77 (skipped) when Xvfb, xdotool,
# ImageMagick or pgrep is missing.
game=$1 data=$2 shots=$3
e2e_tools="import compare pgrep"
source "$(dirname "$0")/xvfb_session.sh"
# The wind crops stay beside the screenshots; a configurator left open is closed. Only
# this run's configurator (the game's child) is looked for: other runs on the machine
# may have their own. The process is checked, not just its window.
config_running() { [ -n "$game_pid" ] && pgrep -x -P "$game_pid" velkaro-config >/dev/null; }
on_exit='[ -n "$game_pid" ] && pkill -x -P "$game_pid" velkaro-config 2>/dev/null; cp "$work"/wind-*.png "$shots"/ 2>/dev/null'
mkdir -p "$shots"

wind_text=224x40+800+22  # the game's "風速…" line, top right: its place is this run's subject

# The reference: the game started on a design whose wind is already 3 m/s.
mkdir -p "$work/reference" "$work/play"
cp -r "$data"/. "$work/reference"/
cp -r "$data"/. "$work/play"/
sed -i '6s/,0\.5\r$/,3\r/' "$work/reference/temp.txt"
start_game "$work/reference"
import -window "$window" -crop "$wind_text" +repage "$work/wind-reference.png"
stop_game

start_game "$work/play"
import -window "$window" -crop "$wind_text" +repage "$work/wind-before.png"
click_widget "menu.オプション"
click_widget menu.40004  # "設計モード"
wait_for_closed "menu.オプション"
click_widget "menu.機体メニュー"
click_widget menu.40001  # "機体諸元設定"
config=$(wait_for_window velkaro-config)
[ -n "$config" ] || fail "the configurator did not start"
use_ui "$config" velkaro-config
wait_for_widget line6  # "風速 (向かい風)"
import -window root "$shots/config-1-opened.png"

# Replace the wind speed: select the field's text, clear it, type, confirm, save. The
# keys go to the window with the input focus: under load the window manager may not
# have moved it from the game yet, so the configurator takes it first.
new_wind=$'\x95\x97\x91\xac[m/s],3\r'
wind_saved() { [ "$(sed -n 6p "$work/play/temp.txt")" = "$new_wind" ]; }
xdotool windowactivate --sync "$config" 2>/dev/null || xdotool windowfocus --sync "$config" 2>/dev/null || true
click_widget line6
wait_for_widget_flag line6 active
xdotool keydown ctrl key a keyup ctrl
xdotool key --delay 100 End
for _ in $(seq 8); do xdotool key --delay 100 BackSpace; done
wait_for_value line6 ""
xdotool type --delay 150 "3.0"
wait_for_value line6 "3.0"
xdotool key Return
wait_for_widget_flag line6 '!active'
xdotool keydown ctrl key s keyup ctrl
poll_until 30 wind_saved
import -window root "$shots/config-2-saved.png"
wind_saved || fail "temp.txt line 6 is not the new wind: $(sed -n 6p "$work/play/temp.txt" | iconv -f CP932 -t UTF-8 2>/dev/null)"

click_widget menu.file
click_widget file.quit
poll_until 30 eval '! config_running' || fail "the configurator did not close"

# Back at the game, which flies temp.txt again from the start.
use_ui "$window" velkaro
wait_for_state Ready
wait_for_frames 3
import -window root "$shots/config-3-game-after.png"
import -window "$window" -crop "$wind_text" +repage "$work/wind-after.png"

# The sky behind the text may differ by a shade (the demo leaves its own camera
# behind); white text on blue differs by far more than the 10 % tolerated.
same_text() { compare -fuzz 10% -metric AE "$1" "$2" null: 2>/dev/null; }
same_text "$work/wind-before.png" "$work/wind-reference.png" && fail "the reference wind text looks like 0.5 m/s"
same_text "$work/wind-after.png" "$work/wind-reference.png" ||
  fail "the game does not show the saved wind (see $shots/config-3-game-after.png)"
stop_game
grep -q . "$work/play/game.log" && { cat "$work/play/game.log"; fail "the game warned"; }
echo "PASS: configurator started from the menu, wind saved, the game shows 風速3.0m/s; screenshots in $shots"
