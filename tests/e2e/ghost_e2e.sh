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

# The ghost's line in the picture (the HUD's place for it).
line_box="414x24+610+124"

window_geometry "$window"
window_rect menubar
menu_bar=$WH  # px above the picture
# A region WxH+x+y of the window (or, with a picture offset, of the picture) on the screen.
on_screen() {  # region [dy]
  local size=${1%%+*} rest=${1#*+}
  echo "$size+$((X + ${rest%%+*}))+$((Y + ${2:-0} + ${rest#*+}))"
}
picture=$(on_screen "1024x746+0+0" "$menu_bar")
line_region=$(on_screen "$line_box" "$menu_bar")

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

# "オプション" opened, and closed again by its own item on the bar.
open_options() { click_widget "menu.オプション"; wait_for_open "menu.オプション"; }
close_options() { click_widget "menu.オプション"; wait_for_closed "menu.オプション"; }
# Whether the check mark shows at the right end of the design mode's item (the menu's
# white turns darker there).
design_checked() {
  wait_for_widget menu.40004
  ! above "$(brightness "$(grab "24x$WH+$((X + WX + WW - 24))+$((Y + WY))" check)")" 0.93
}

# The design mode turned on in the menu: no check mark before, one after.
open_options
design_checked && fail "the design mode is checked before it was chosen"
click_widget menu.40004  # "設計モード"
wait_for_closed "menu.オプション"
open_options
wait_for_value menu.40004 checked
design_checked || fail "the design mode's item shows no check mark once chosen"
close_options

hold_key 3  # the orbit camera: around the player's glider, from 10 m
park_pointer  # on the picture, off the menu bar
before=$(shot 1-ready-without)
[ "$(violet "$before")" -lt 5 ] || fail "violet in the picture before any ghost was chosen: $(violet "$before") px"
[ "$(line_ink "$(grab "$line_region" line)")" -lt 20 ] || fail "a line is drawn where the ghost's goes without a ghost"

# The ghost chosen in the menu: the line that names it appears.
open_options
click_widget menu.40041  # "ゴースト: ランキング1位"
wait_for_closed "menu.オプション"
park_pointer
line_drawn() { [ "$(line_ink "$(grab "$line_region" line)")" -gt 100 ]; }
poll_until 10 line_drawn || fail "choosing the ghost in the menu drew no line"
shot 2-ready-with >/dev/null
line_mask "$work/line.png" "$work/line-ready.png"

# The launch: the line turns from the ghost's name into the lead ("+0.0m" while both
# run down the platform side by side); once the two have drawn apart in flight it
# changes again, and the ghost must be seen.
hold_key_until space 'Launch|Flight'
line_changed() {  # from-mask to-mask
  line_mask "$(grab "$line_region" line)" "$2"
  differs "$1" "$2"
}
poll_until 60 line_changed "$work/line-ready.png" "$work/line-launch.png" ||
  fail "the line did not turn into the lead after the launch"
shot 3-launch >/dev/null
ghost_beside() {
  line_changed "$work/line-launch.png" "$work/line-race.png" && [ "$(line_ink "$work/line.png")" -gt 100 ] &&
    [ "$(violet "$(shot 4-race)")" -gt 15 ]
}
poll_until 90 ghost_beside || fail "no translucent ghost beside the player's glider in flight"  # some 5 s into the flight
no_warnings "$work/game.log"

stop_game
echo "PASS: the ghost chosen in the menu flies beside the player's glider with its lead line; screenshots in $shots"
