#!/usr/bin/env bash
# End to end under Xvfb: F11 puts the game's window (1024x768 from the boot file) on
# the 1280x1024 display's full screen, letterboxed between black bars with no menu
# bar; Alt+Enter brings the window back, with its menu bar.
# Usage: fullscreen_key_e2e.sh GAME_EXECUTABLE DATA_DIR SCREENSHOT_DIR
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
game=$1 data=$2 shots=$3
e2e_tools="import convert"
source "$(dirname "$0")/xvfb_session.sh"

start_game_on_shipped_files

# The picture (1024x746) scaled to the display's width: from its left edge to its right,
# between black bars above and below.
letterboxed() {  # shot
  [ "$(maximum "$1" 1280x20+0+1004)" = 0 ] && above "$(mean "$1" 8x300+0+500)" 0.1 &&
    above "$(mean "$1" 8x300+1272+500)" 0.1
}
# The window with its menu bar: light grey across the top of its client area.
windowed_with_bar() {  # shot
  window_geometry "$window"
  [ "$WIDTH" -lt 1280 ] && above "$(mean "$1" "600x14+$((X + 10))+$((Y + 4))")" 0.7
}
shown() {  # check shot: the screen as it is now passes the check
  import -window root "$2"
  "$1" "$2"
}

park_pointer  # away from the top edge, where a full screen shows its menu bar
xdotool key --window "$window" F11
poll_until 30 display_is 1280 1024 || ui_fail "F11 did not put the window on the full screen"
wait_for_closed menubar
wait_for_frames 2
shot="$shots/fullscreen-key-1-f11.png"
poll_until 10 shown letterboxed "$shot" || fail "F11 did not letterbox the picture on the full screen"
[ "$(maximum "$shot" 1280x20+0+0)" = 0 ] || fail "the bar above the picture is not black (or the menu bar shows)"

xdotool keydown alt key Return keyup alt
poll_until 30 display_is 1024 768 || ui_fail "Alt+Enter did not bring the window back"
wait_for_open menubar
wait_for_frames 2
poll_until 10 shown windowed_with_bar "$shots/fullscreen-key-2-alt-enter.png" ||
  fail "Alt+Enter did not bring the window with its menu bar back (${WIDTH}x${HEIGHT})"

stop_game
echo "PASS: F11 letterboxes on the full screen, Alt+Enter returns to the window; screenshots in $shots"
