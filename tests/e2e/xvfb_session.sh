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
# -r: no key autorepeat. xdotool taps a key for a few milliseconds, but on a busy
# machine its release can reach the server late (it waits for round trips in between),
# and a key held past the repeat delay (660 ms) is repeated by the server: "3032" was
# typed as "30332". The runs hold keys only where the game polls them, and a held key
# needs no repeats there.
Xvfb -displayfd 3 -screen 0 "${e2e_screen:-1280x1024x24}" -nolisten tcp -noreset -r 3>"$work/display" >"$work/xvfb.log" 2>&1 &
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

# Waits until a command succeeds, trying every 0.1 s for at most SECONDS; false when it
# never did.
poll_until() {  # seconds command...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# The UI probe: every program started from here writes what its UI shows, at every
# frame, into $probes/<window title>.txt (the format: src/platform/sdl/ui_probe.h). The
# helpers below read the file of the program `use_ui` chose last. Positions in the file
# are in the window's client area; they are turned into the screen's with
# window_geometry at each use, so a window moved or resized is still hit.
probes="$work/probes"
mkdir -p "$probes"
export VELKARO_UI_PROBE="$probes/"
ui_window="" ui_probe=""
use_ui() {  # window-id program
  ui_window=$1 ui_probe="$probes/$2.txt"
}
# The first line of that kind and name; a field of the first line of a kind.
probe_line() { awk -F'\t' -v kind="$1" -v name="$2" '$1 == kind && $2 == name { print; exit }' "$ui_probe" 2>/dev/null; }
probe_field() { awk -F'\t' -v kind="$1" -v field="$2" '$1 == kind { print $field; exit }' "$ui_probe" 2>/dev/null; }
ui_state() { probe_field state 2; }
ui_frame() { local frame; frame=$(probe_field frame 2); echo "${frame:-0}"; }
ui_fail() {  # message
  echo "--- UI probe $ui_probe:"
  cat "$ui_probe" 2>/dev/null
  import -window root "$work/failure.png" 2>/dev/null && cp "$work/failure.png" "${shots:-$work}/failure-$(basename "$0" .sh).png" 2>/dev/null
  fail "$@"
}

# The program's state (an extended regular expression for the whole of it, "Ready" or
# "Launch|Flight"), within TIMEOUT seconds (60 unless given).
state_is() { [[ "$(ui_state)" =~ ^($1)$ ]]; }
wait_for_state() {  # state [timeout]
  poll_until "${2:-60}" state_is "$1" || ui_fail "the state did not become $1 (it is $(ui_state))"
}
# COUNT more frames drawn (a polled key seen, a picture shown after a change).
frame_reached() { [ "$(ui_frame)" -ge "$1" ]; }
wait_for_frames() {  # count [timeout]
  poll_until "${2:-60}" frame_reached $(($(ui_frame) + $1)) || ui_fail "the UI drew no new frame"
}

# The window's client area as the UI last drew it, WIDTH x HEIGHT px.
display_is() { [ "$(probe_field display 2)x$(probe_field display 3)" = "$1x$2" ]; }  # width height

# A named item as the last frame shows it: sets WX, WY (client px), WW, WH, WFLAGS and
# WVALUE; false while it is not shown.
widget_rect() {  # name
  local line
  line=$(probe_line widget "$1")
  [ -n "$line" ] || return 1
  IFS=$'\t' read -r _ _ WX WY WW WH WFLAGS WVALUE <<<"$line"
}
widget_has() {  # name flag ("!flag": shown without it)
  widget_rect "$1" || return 1
  if [[ $2 == !* ]]; then [[ ",$WFLAGS," != *",${2#!},"* ]]; else [[ ",$WFLAGS," == *",$2,"* ]]; fi
}
widget_value_is() { widget_rect "$1" && [ "$WVALUE" = "$2" ]; }      # name value
wait_for_widget() {  # name [timeout]
  poll_until "${2:-30}" widget_rect "$1" || ui_fail "$1 is not shown"
}
wait_for_widget_flag() {  # name flag [timeout]: active, hovered, disabled, or one of them with "!"
  poll_until "${3:-30}" widget_has "$1" "$2" || ui_fail "$1 is not $2 (flags: ${WFLAGS:-none})"
}
wait_for_value() {  # name value [timeout]
  poll_until "${3:-30}" widget_value_is "$1" "$2" || ui_fail "$1 does not show '$2' (it shows '${WVALUE:-}')"
}
# A window, popup or menu that is open (sets WX WY WW WH to its place), or closed.
window_rect() {  # name
  local line
  line=$(probe_line window "$1")
  [ -n "$line" ] || return 1
  IFS=$'\t' read -r _ _ WX WY WW WH _ <<<"$line"
}
window_closed() { [ -s "$ui_probe" ] && ! window_rect "$1"; }
wait_for_open() {  # name [timeout]
  poll_until "${2:-30}" window_rect "$1" || ui_fail "$1 did not open"
}
wait_for_closed() {  # name [timeout]
  poll_until "${2:-30}" window_closed "$1" || ui_fail "$1 did not close"
}

# Moves the pointer to a place of the window's client area and waits until the UI has
# drawn a frame that saw it there, so a click that follows lands where it was meant.
mouse_at() { [ "$(awk -F'\t' '$1 == "mouse" { print $2 "," $3; exit }' "$ui_probe" 2>/dev/null)" = "$1,$2" ]; }
point_at() {  # client-x client-y
  window_geometry "$ui_window"
  xdotool mousemove --sync $((X + $1)) $((Y + $2)) 2>/dev/null || xdotool mousemove $((X + $1)) $((Y + $2))
  poll_until 30 mouse_at "$1" "$2" || ui_fail "the UI does not see the pointer at $1,$2 of its window"
}
point_at_widget() {  # name
  wait_for_widget "$1"
  point_at $((WX + WW / 2)) $((WY + WH / 2))
}
# The pointer on the window's client area, away from its menus and dialogs (7/8 of the
# way to its bottom-right corner), where no item lights up under it.
park_pointer() {
  local width height
  width=$(probe_field display 2) height=$(probe_field display 3)
  point_at $((width * 7 / 8)) $((height * 7 / 8))
}
click_widget() {  # name [button]
  point_at_widget "$1"
  xdotool click "${2:-1}"
}

# A key the game polls at each tick, held until the game has drawn COUNT frames with it
# down (3 unless given) or, with a state, until it is in that state.
hold_key() {  # key [frames]
  xdotool keydown --window "$ui_window" "$1"
  wait_for_frames "${2:-3}"
  xdotool keyup --window "$ui_window" "$1"
}
hold_key_until() {  # key state
  xdotool keydown --window "$ui_window" "$1"
  wait_for_state "$2"
  xdotool keyup --window "$ui_window" "$1"
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
# waits for its window and its first frames at the start: sets game_pid and window, and
# makes the game's UI the one the widget helpers address.
start_game() {  # folder [log]
  local log=${2:-$1/game.log}
  rm -f "$probes/velkaro.txt"  # a game of before
  (cd "$1" && exec "$game" >"$log" 2>&1) &
  game_pid=$!
  window=$(wait_for_window velkaro)
  [ -n "$window" ] || { show_logs "$log"; fail "no game window appeared"; }
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  use_ui "$window" velkaro
  wait_for_state Ready
  wait_for_frames 2
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
