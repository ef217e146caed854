#!/usr/bin/env bash
# End to end under Xvfb: on a laptop's 1366x768 screen the configurator's window,
# title bar and borders included, stays on the screen from top to bottom (its inside
# asks for 768 pixels; the window manager's frame would push the bottom rows off).
# Usage: config_frame_e2e.sh CONFIG_EXECUTABLE DATA_DIR SCREENSHOT_DIR
# Exits 77 (skipped) when Xvfb, xdotool, ImageMagick or openbox is missing.
config=$1 data=$2 shots=$3
e2e_tools="import"
e2e_screen=1366x768x24
source "$(dirname "$0")/xvfb_session.sh"
config_pid=""
on_exit='[ -n "$config_pid" ] && kill "$config_pid" 2>/dev/null'
mkdir -p "$shots"
screen_height=768

cp "$data/temp.txt" "$work/"
(cd "$work" && exec "$config" >"$work/config.log" 2>&1) &
config_pid=$!
window=$(wait_for_window velkaro-config)
[ -n "$window" ] || { show_logs "$work/config.log"; fail "the configurator's window did not appear"; }

# The frame's size comes from the window manager; the window is fitted once it is
# known. Wait (up to 10 s) until the whole frame is on the screen.
measure_frame() {  # sets frame_top and bottom (the frame's first row and last row + 1)
  window_geometry "$window"
  local extents
  extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
  frame_top=0 bottom=0
  [ -n "$extents" ] || return 0
  frame_top=$((Y - $(echo "$extents" | cut -d, -f3)))
  bottom=$((Y + HEIGHT + $(echo "$extents" | cut -d, -f4)))
}
frame_on_screen() { measure_frame && [ "$bottom" -gt 0 ] && [ "$bottom" -le "$screen_height" ]; }
poll_until 10 frame_on_screen
measure_frame
use_ui "$window" velkaro-config
wait_for_frames 2  # drawn at its fitted size, for the picture (the checks below do not need it)
import -window root "$shots/config-frame-768.png"
[ "$bottom" -gt 0 ] || fail "the window manager gave the window no frame"
[ "$bottom" -le "$screen_height" ] || fail "the window's frame ends at row $bottom, below the screen"
[ "$frame_top" -ge 0 ] || fail "the window's title bar starts above the screen, at row $frame_top"
[ "$HEIGHT" -ge 600 ] || fail "the window shrank to $HEIGHT pixels"
echo "the frame spans rows $frame_top to $bottom of $screen_height (inside ${WIDTH}x$HEIGHT)"
