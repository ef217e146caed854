#!/usr/bin/env bash
# End to end under Xvfb (1280x1024): the window resized with xdotool shows the picture
# stretched below the menu bar with the HUD at its scaled places; a boot file asking
# for full screen at 1024x768, a mode the display does not have, shows the picture
# letterboxed (1280x960 between two 32 px black bars) with the wind text at the
# picture's right edge, and the menu bar comes up when the pointer is at the top edge.
# Usage: window_e2e.sh GAME_EXECUTABLE DATA_DIR SCREENSHOT_DIR
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
game=$1 data=$2 shots=$3
e2e_tools="import convert"
source "$(dirname "$0")/xvfb_session.sh"
mkdir -p "$shots"

# (a) A window of the boot file's 1024x768, resized to 1200x900 at the screen's corner.
mkdir "$work/windowed"
cp -r "$data"/. "$work/windowed"/
start_game "$work/windowed"
xdotool windowmove --sync "$window" 0 0 2>/dev/null || xdotool windowmove "$window" 0 0
xdotool windowsize --sync "$window" 1200 900 2>/dev/null || xdotool windowsize "$window" 1200 900
poll_until 30 display_is 1200 900 || ui_fail "the UI was not drawn at the window's new size"
wait_for_frames 2
import -window root "$shots/window-1-resized.png"
shot="$shots/window-1-resized.png"
window_geometry "$window"
[ "$WIDTH" = 1200 ] && [ "$HEIGHT" = 900 ] || fail "the window was not resized (${WIDTH}x$HEIGHT)"
at() { echo "${1}x$2+$((X + $3))+$((Y + $4))"; }  # a crop of the window's client area
frame=8  # px beside the client area that the window manager's frame may draw
# The picture (1024x746 below the 22 px bar) now fills 1200x878 below the bar: the
# window's area right of and below the old size is the picture's, not the screen's black.
above "$(mean "$shot" "$(at 150 100 1040 300)")" 0.1 || fail "the picture does not reach the window's new right part"
above "$(mean "$shot" "$(at 300 100 400 780)")" 0.1 || fail "the picture does not reach the window's new bottom"
right=$((X + WIDTH + frame)) below=$((Y + HEIGHT + frame))
[ "$(maximum "$shot" "$((1280 - right))x1024+$right+0")" = 0 ] || fail "something is drawn right of the window"
[ "$(maximum "$shot" "1280x$((1024 - below))+0+$below")" = 0 ] || fail "something is drawn below the window"
# The menu bar keeps its height (22 px) across the whole width: light grey.
above "$(mean "$shot" "$(at 1200 18 0 2)")" 0.7 || fail "the menu bar is not at the top of the resized window"
# The wind text ("風速…", at 800..1024 x 0..40 of the picture) is stretched to about
# 937..1200 x 22..69: its white glyphs are there, and not at its old place's left part.
wind="$(maximum "$shot" "$(at 250 45 945 23)")"
[ "$wind" = 1 ] || fail "no white wind text at its stretched place ($wind)"
stop_game
no_warnings "$work/windowed/game.log"

# (b) Full screen at 1024x768 on the 1280x1024 display.
mkdir "$work/full"
cp -r "$data"/. "$work/full"/
printf '1024\r\n768\r\n1\r\n' >"$work/full/BootConfig.txt"
start_game "$work/full"
point_at 640 500  # the window covers the screen: its places are the screen's
wait_for_closed menubar
wait_for_frames 2
import -window root "$shots/window-2-fullscreen.png"
shot="$shots/window-2-fullscreen.png"
[ "$(maximum "$shot" 1280x32+0+0)" = 0 ] || fail "the bar above the picture is not black (or the menu bar shows)"
[ "$(maximum "$shot" 1280x32+0+992)" = 0 ] || fail "the bar below the picture is not black"
above "$(mean "$shot" 1280x2+0+32)" 0.1 || fail "the picture does not start right below the top bar"
above "$(mean "$shot" 1280x2+0+990)" 0.1 || fail "the picture does not end right above the bottom bar"
above "$(mean "$shot" 1280x900+0+60)" 0.1 || fail "the picture area is dark"
# The wind text at the picture's right edge: 800..1024 x 0..40 of the picture is
# 1000..1280 x 32..82 on the screen.
wind="$(maximum "$shot" 270x48+1005+33)"
[ "$wind" = 1 ] || fail "no white wind text at the picture's right edge ($wind)"
# The pointer at the top edge brings up the menu bar over the picture, and leaving it
# takes it away.
point_at 640 0
wait_for_open menubar
wait_for_frames 2
import -window root "$shots/window-3-fullscreen-menu.png"
above "$(mean "$shots/window-3-fullscreen-menu.png" 1280x18+0+2)" 0.7 || fail "no menu bar with the pointer at the top edge"
point_at 640 500
wait_for_closed menubar
wait_for_frames 2
import -window root "$shots/window-4-fullscreen-menu-gone.png"
[ "$(maximum "$shots/window-4-fullscreen-menu-gone.png" 1280x32+0+0)" = 0 ] || fail "the menu bar stays after the pointer left it"
stop_game
no_warnings "$work/full/game.log"
echo "PASS: the resized window stretches the picture, full screen letterboxes it; screenshots in $shots"
