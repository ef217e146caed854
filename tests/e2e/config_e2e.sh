#!/usr/bin/env bash
# End to end under Xvfb: the game's menu starts the configurator, the wind speed is
# changed there and saved, the configurator is closed from its menu, and the game then
# shows the new wind ("風速3.0m/s") once the player is back at the start. The wind
# text is compared pixel for pixel with the game started on a file that already has
# that wind.
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

# Window-relative places of what is clicked (the layouts are fixed by the programs).
game_menu_x=40 game_menu_y=10           # "機体メニュー"
edit_item_x=60 edit_item_y=40           # "機体諸元設定"
wind_field_x=267 wind_field_y=151       # the configurator's "風速 (向かい風)" field
file_menu_x=20 file_menu_y=8            # the configurator's "ファイル"
quit_item_x=25 quit_item_y=127          # "終了"
wind_text=224x40+800+22                 # the game's "風速…" line, top right

press() { xdotool keydown "$1"; sleep "${2:-0.3}"; xdotool keyup "$1"; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.5; }

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
click "$window" "$game_menu_x" "$game_menu_y"
click "$window" "$edit_item_x" "$edit_item_y"
config=$(wait_for_window velkaro-config)
[ -n "$config" ] || fail "the configurator did not start"
sleep 2
import -window root "$shots/config-1-opened.png"

# Replace the wind speed: select the field's text, clear it, type, confirm, save.
new_wind=$'\x95\x97\x91\xac[m/s],3\r'
edit_wind() {
  # The keys go to the window with the input focus: under load the window manager may
  # not have moved it from the game yet, so the configurator takes it before the click.
  xdotool windowactivate --sync "$config" 2>/dev/null || xdotool windowfocus --sync "$config" 2>/dev/null || true
  click "$config" "$wind_field_x" "$wind_field_y"
  xdotool keydown ctrl; xdotool key a; xdotool keyup ctrl
  xdotool key --delay 100 End
  for _ in $(seq 8); do xdotool key --delay 100 BackSpace; done
  xdotool type --delay 150 "3.0"
  xdotool key Return
  sleep 0.5
  xdotool keydown ctrl; xdotool key s; xdotool keyup ctrl
  sleep 1
}
# On a slow machine (the sanitizer build) a keystroke of the edit is sometimes lost in
# the UI (a known open fault, not this test's subject): the edit is then made again,
# and the run says so; three tries at most.
for try in 1 2 3; do
  edit_wind
  wind_line=$(sed -n 6p "$work/play/temp.txt")
  [ "$wind_line" = "$new_wind" ] && break
  echo "RETRY: the configurator saved the wind line as '$(printf %s "$wind_line" | iconv -f CP932 -t UTF-8 2>/dev/null | tr -d '\r')' (try $try); editing it again"
done
import -window root "$shots/config-2-saved.png"
[ "$wind_line" = "$new_wind" ] || fail "temp.txt line 6 is not the new wind: $wind_line"

click "$config" "$file_menu_x" "$file_menu_y"
click "$config" "$quit_item_x" "$quit_item_y"
for _ in $(seq 50); do
  config_running || break
  sleep 0.1
done
config_running && fail "the configurator did not close"
sleep 1  # the game reads temp.txt and draws again

# More than 10 s went by: the game shows its demo; Space leads back to the start,
# which flies "temp.txt" again.
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 0.5
press space 0.6
sleep 1.5
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
