# Shared by the end-to-end runs (sourced): checks the tools (exit 77, skipped, when one
# is missing), starts a private Xvfb display with a window manager (openbox, as players
# have one), makes a work folder, and on exit runs `on_exit` (if a script sets it),
# stops the game, the window manager and the display and removes the folder.
# Set before sourcing: e2e_tools (tools needed besides Xvfb, xdpyinfo and xdotool), and
# e2e_screen (WxHxDEPTH, 1280x1024x24 unless set).
set -u
for tool in Xvfb xdpyinfo xdotool xwininfo openbox xprop $e2e_tools; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
game_pid="" xvfb_pid="" wm_pid="" on_exit=""
e2e_cleanup() {
  [ -n "$on_exit" ] && eval "$on_exit"
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap e2e_cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Xvfb picks a free display itself and writes its number, then a newline, once it
# accepts clients.
# -noreset: by default the server resets each time its last client disconnects, and a
# client that connects during the reset is accepted and then closed before the X
# handshake completes, so XOpenDisplay fails. Clients come and go here all the time
# (every xdotool call, the game between two starts), so a game starting as one of them
# left would find no display. The reset takes longer on a busy machine, so this failed
# more often there.
Xvfb -displayfd 3 -screen 0 "${e2e_screen:-1280x1024x24}" -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display_written() { [ -s "$work/display" ] && [ -z "$(tail -c 1 "$work/display")" ]; }  # ends in a newline
for _ in $(seq 300); do
  display_written && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
display_written || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=":$(head -n 1 "$work/display")"
# SDL is held to X11: if the display cannot be opened, the game reports X11's reason
# instead of trying Wayland and then its offscreen driver.
export SDL_VIDEODRIVER=x11
xdpyinfo >/dev/null 2>"$work/xdpyinfo.log" ||
  { cat "$work/xdpyinfo.log" "$work/xvfb.log"; fail "Xvfb on $DISPLAY does not accept clients"; }

# The window manager, with no session manager and a configuration of its own (the
# user's is never read). It is ready once it has announced itself on the root window
# (_NET_SUPPORTING_WM_CHECK); a window mapped before that would be placed without it.
mkdir -p "$work/config"
XDG_CONFIG_HOME="$work/config" openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for _ in $(seq 300); do
  wm_ready && break
  kill -0 "$wm_pid" 2>/dev/null || break
  sleep 0.1
done
wm_ready || { cat "$work/openbox.log"; fail "the window manager did not start"; }

# The game's and Xvfb's output, for a failure report.
show_logs() {  # game log file
  echo "--- $1:"; cat "$1" 2>/dev/null
  echo "--- Xvfb:"; cat "$work/xvfb.log"
  echo "--- openbox:"; cat "$work/openbox.log"
  echo "--- processes:"; ps -o pid,stat,etime,args -C velkaro,velkaro-config,Xvfb,openbox
}

# Sets X, Y (on the screen), WIDTH and HEIGHT of a window's client area. With a window
# manager the window sits inside a frame, so xdotool's position (relative to the frame)
# is not the screen's; xwininfo gives the absolute one.
window_geometry() {  # window id
  eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {print "X=" $4} /Absolute upper-left Y/ {print "Y=" $4}
                                  /^ *Width:/ {print "WIDTH=" $2} /^ *Height:/ {print "HEIGHT=" $2}')"
}

# The id of the window titled exactly $1, once it exists (empty after 30 s: start-up
# takes a few seconds when the machine is busy).
wait_for_window() {
  local id=""
  for _ in $(seq 300); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  echo "$id"
}

# Starts $game in a folder (its output to a log, the folder's game.log unless given) and
# waits for its window: sets game_pid and window.
start_game() {  # folder [log]
  local log=${2:-$1/game.log}
  (cd "$1" && exec "$game" >"$log" 2>&1) &
  game_pid=$!
  window=$(wait_for_window velkaro)
  [ -n "$window" ] || { show_logs "$log"; fail "no game window appeared"; }
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 2
}

# Copies the shipped files ($data) into the work folder, makes the screenshot folder
# ($shots), and starts the game there.
start_game_on_shipped_files() {
  cp -r "$data"/. "$work"/
  mkdir -p "$shots"
  cd "$work"
  start_game "$work"
}

# Ends the game with SIGTERM, through its shutdown (the ranking is saved); fails unless
# it exits with 0.
stop_game() {
  kill -TERM "$game_pid"
  wait "$game_pid"
  local code=$?
  game_pid=""
  [ "$code" -eq 0 ] || fail "the game exited with $code"
}

# Fails when the game wrote anything (a warning) into its log.
no_warnings() {  # log
  ! grep -q . "$1" || { cat "$1"; fail "the game warned"; }
}

# Pictures: the mean of the region WxH+X+Y, 0..1, over all channels; the largest channel
# value there (0 only where every pixel is black); whether $1 > $2 (decimals).
mean() { convert "$1" -crop "$2" +repage -format '%[fx:mean]' info:; }
maximum() { convert "$1" -crop "$2" +repage -format '%[fx:maxima]' info:; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
