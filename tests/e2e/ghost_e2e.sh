#!/usr/bin/env bash
# End to end under Xvfb: the ghost of the best ranked flight is chosen in the options
# menu; at the start its line names it; after the launch the translucent violet ghost
# flies beside the player's glider (the orbit camera, key 3, keeps both in view) and
# the line under the coach line's place tells the lead or lag. Without the ghost the
# picture holds no such violet and no line. The design mode is turned on first, so no
# demo starts while the start is looked at.
# Usage: ghost_e2e.sh GAME_EXECUTABLE DATA_DIR SCREENSHOT_DIR
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
game=$1 data=$2 shots=$3
e2e_tools="import convert"
source "$(dirname "$0")/xvfb_session.sh"

start_game_on_shipped_files
no_warnings "$work/game.log"

# Window-relative places of the menu (its layout is fixed by the program).
options_menu_x=160 options_menu_y=10  # "オプション"
popup_blank="40x8+330+99"             # inside its popup, right of the items' texts
design_item_x=160 design_item_y=40    # "設計モード", its first item
design_check="24x16+396+32"           # where that item's check mark shows
ghost_item_x=200 ghost_item_y=103     # "ゴースト: ランキング1位", below the separator
menu_bar=22                           # px above the picture: the 16 px font and its padding
line_box="414x24+610+124"             # the ghost's line in the picture

window_geometry "$window"
# A region WxH+x+y of the window (or, with a picture offset, of the picture) on the screen.
on_screen() {  # region [dy]
  local size=${1%%+*} rest=${1#*+}
  echo "$size+$((X + ${rest%%+*}))+$((Y + ${2:-0} + ${rest#*+}))"
}
picture=$(on_screen "1024x746+0+0" "$menu_bar")
line_region=$(on_screen "$line_box" "$menu_bar")

press() { xdotool keydown --window "$window" "$1"; sleep 0.3; xdotool keyup --window "$window" "$1"; }
# A click on the picture, away from the menu bar, closes an open menu (at the start a
# click does nothing else).
close_menu() { xdotool mousemove --window "$window" 900 700 click 1; sleep 0.3; }
# The whole screen into the screenshot folder, or only a region of it into the work folder.
shot() { import -window root "$shots/ghost-$1.png"; echo "$shots/ghost-$1.png"; }
grab() { import -window root -crop "$1" +repage "$work/$2.png"; echo "$work/$2.png"; }
brightness() { convert "$1" -format '%[fx:mean]' info:; }

# Pixels of the ghost's pale violet blended over the scene, red and blue both above
# green (nothing else in the scene has that hue), counted on every second pixel.
violet() {
  convert "$1" -crop "$picture" +repage -sample 50% \
    \( -clone 0 -channel R -separate +channel \) \( -clone 0 -channel G -separate +channel \) \
    \( -clone 0 -channel B -separate +channel \) -delete 0 \
    \( -clone 0 -clone 1 -compose minus_src -composite -threshold 3% \) \
    \( -clone 2 -clone 1 -compose minus_src -composite -threshold 8% \) \
    -delete 0-2 -compose multiply -composite -format '%[fx:round(mean*w*h)]' info:
}
# The line's text alone: the pixels in its place that are white in all three channels,
# the glyphs' cores, which the scene moving behind them does not change (their blended
# edges it does). Their count, and whether two such masks show different texts (a
# changed character changes about a hundred of them; the same text, one or two).
line_mask() { convert "$1" -separate -evaluate-sequence min -threshold 97% "$2"; }
line_ink() { line_mask "$1" png:- | convert png:- -format '%[fx:round(mean*w*h)]' info:; }
differs() { [ "$(convert "$1" "$2" -compose difference -composite -format '%[fx:round(mean*w*h)]' info:)" -gt 20 ]; }

# Opens "オプション" and waits for its popup; false when it did not open.
open_options() {
  xdotool mousemove --window "$window" "$options_menu_x" "$options_menu_y" click 1
  for _ in $(seq 50); do
    above "$(brightness "$(grab "$(on_screen "$popup_blank")" popup)")" 0.8 && return 0
    sleep 0.1
  done
  close_menu  # whatever opened instead
  return 1
}

# The design mode: its check mark is looked for first, so a click that did arrive is
# never undone by a second one.
design=""
for attempt in 1 2 3 4; do
  open_options || continue
  if ! above "$(brightness "$(grab "$(on_screen "$design_check")" check)")" 0.93; then
    design=1
    close_menu
    break
  fi
  [ "$attempt" -gt 1 ] && echo "RETRY: the design mode's check mark did not show (attempt $((attempt - 1)))"
  xdotool mousemove --window "$window" "$design_item_x" "$design_item_y" click 1
done
[ -n "$design" ] || fail "the design mode could not be turned on in the menu"

press 3  # the orbit camera: around the player's glider, from 10 m
before=$(shot 1-ready-without)
[ "$(violet "$before")" -lt 5 ] || fail "violet in the picture before any ghost was chosen: $(violet "$before") px"
[ "$(line_ink "$(grab "$line_region" line)")" -lt 20 ] || fail "a line is drawn where the ghost's goes without a ghost"

# The ghost chosen in the menu: the line that names it appears.
chosen=""
for attempt in 1 2 3; do
  open_options && xdotool mousemove --window "$window" "$ghost_item_x" "$ghost_item_y" click 1
  xdotool mousemove --window "$window" 900 700  # off the menu bar
  for _ in $(seq 50); do
    [ "$(line_ink "$(grab "$line_region" line)")" -gt 100 ] && { chosen=1; break; }
    sleep 0.1
  done
  [ -n "$chosen" ] && break
  echo "RETRY: the ghost's line did not appear after choosing it (attempt $attempt)"
  shot "5-no-line-$attempt" >/dev/null
done
[ -n "$chosen" ] || fail "choosing the ghost in the menu drew no line"
shot 2-ready-with >/dev/null
line_mask "$work/line.png" "$work/line-ready.png"

# The launch: the line turns from the ghost's name into the lead ("+0.0m" while both
# run down the platform side by side); once the two have drawn apart in flight it
# changes again, and the ghost must be seen.
press space
started="" deadline=$((SECONDS + 60))
while [ "$SECONDS" -lt "$deadline" ]; do
  line_mask "$(grab "$line_region" line)" "$work/line-launch.png"
  differs "$work/line-ready.png" "$work/line-launch.png" && { started=1; break; }
  sleep 0.1
done
[ -n "$started" ] || fail "the line did not turn into the lead after the launch"
shot 3-launch >/dev/null
raced="" deadline=$((SECONDS + 90))  # the two draw apart some 5 s into the flight
while [ "$SECONDS" -lt "$deadline" ]; do
  line_mask "$(grab "$line_region" line)" "$work/line-race.png"
  if differs "$work/line-launch.png" "$work/line-race.png" && [ "$(line_ink "$work/line.png")" -gt 100 ]; then
    now=$(shot 4-race)
    [ "$(violet "$now")" -gt 15 ] && { raced=1; break; }
  fi
  sleep 0.1
done
[ -n "$raced" ] || fail "no translucent ghost beside the player's glider in flight"
no_warnings "$work/game.log"

stop_game
echo "PASS: the ghost chosen in the menu flies beside the player's glider with its lead line; screenshots in $shots"
