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

xdotool mousemove 640 500
xdotool key --window "$window" F11
full=""
for _ in $(seq 50); do
  sleep 0.2
  import -window root "$shots/fullscreen-key-1-f11.png"
  # The picture (1024x746) scaled to the display's width: from its left edge to its
  # right, between black bars above and below.
  [ "$(maximum "$shots/fullscreen-key-1-f11.png" 1280x20+0+1004)" = 0 ] &&
    above "$(mean "$shots/fullscreen-key-1-f11.png" 8x300+0+500)" 0.1 &&
    above "$(mean "$shots/fullscreen-key-1-f11.png" 8x300+1272+500)" 0.1 && { full=1; break; }
done
[ -n "$full" ] || fail "F11 did not letterbox the picture on the full screen"
shot="$shots/fullscreen-key-1-f11.png"
[ "$(maximum "$shot" 1280x20+0+0)" = 0 ] || fail "the bar above the picture is not black (or the menu bar shows)"

xdotool keydown alt key Return keyup alt
windowed=""
for _ in $(seq 50); do
  sleep 0.2
  import -window root "$shots/fullscreen-key-2-alt-enter.png"
  window_geometry "$window"
  [ "$WIDTH" -lt 1280 ] && above "$(mean "$shots/fullscreen-key-2-alt-enter.png" "600x14+$((X + 10))+$((Y + 4))")" 0.7 &&
    { windowed=1; break; }
done
[ -n "$windowed" ] || fail "Alt+Enter did not bring the window with its menu bar back (${WIDTH}x${HEIGHT})"

stop_game
echo "PASS: F11 letterboxes on the full screen, Alt+Enter returns to the window; screenshots in $shots"
