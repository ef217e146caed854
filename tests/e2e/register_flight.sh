# Shared by the end-to-end runs that register a flight (sourced after xvfb_session.sh).

# Makes the design in FOLDER land within a second (a launch height of 1.5 m and a heavy
# pilot) and empties its ranking, so that any distance is registered.
make_quick_flight() {  # folder
  sed -i -e '3s/,10\.5\r/,1.5\r/' -e '8s/,100\r/,1000\r/' "$1/temp.txt"
  printf ',0,,0,,0,,0,,0,,0,,0,,0,,0,,0,0' >"$1/rank/Ranking.txt"
}

# Waits up to SECONDS for the name dialog, known by its white edit box at the game
# window's centre (the dialog is centred; the scene has no pure white there); fails with
# a screenshot in SHOT when it does not appear. Sets X, Y, WIDTH and HEIGHT of the window.
wait_for_name_dialog() {  # seconds shot
  window_geometry "$window"
  local centre_x=$((X + WIDTH / 2)) centre_y=$((Y + HEIGHT / 2))
  local field_dy=20 field_dx1=-60 field_dx2=20  # px from the centre: two points inside the edit box
  pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -n 1; }
  dialog_open() {
    [ "$(pixel $((centre_x + field_dx1)) $((centre_y + field_dy)))" = "#FFFFFF" ] &&
      [ "$(pixel $((centre_x + field_dx2)) $((centre_y + field_dy)))" = "#FFFFFF" ]
  }
  for _ in $(seq $(($1 * 2))); do dialog_open && return 0; sleep 0.5; done
  import -window root "$2"
  fail "the name dialog did not appear"
}

press() { xdotool keydown --window "$window" "$1"; sleep "${2:-0.3}"; xdotool keyup --window "$window" "$1"; }

# Launches with Space in the game's window $window, waits for the name dialog, types
# the name "e2e" (with an Esc and a stray click beside the dialog in the middle: the box
# keeps what was typed, takes the keyboard back, and Enter means OK) and waits until
# FOLDER's ranking holds it. Screenshots go to SHOTS with the given name prefix.
register_flight() {  # folder shots prefix
  local folder=$1 shots=$2 prefix=$3
  press space 0.5
  sleep 1
  import -window root "$shots/${prefix}2-launch.png"
  # The run, the flight, touchdown and the two seconds of the result take a few seconds
  # (more on a loaded machine).
  wait_for_name_dialog 60 "$shots/${prefix}3-name-dialog.png"
  import -window root "$shots/${prefix}3-name-dialog.png"
  sleep 0.5  # the edit box takes the keyboard a frame after the dialog appears
  # Typed through XTEST into the focused window (the text input ignores sent events).
  xdotool type --delay 150 "e2"
  sleep 0.3
  xdotool key Escape
  sleep 0.3
  xdotool mousemove $((X + 40)) $((Y + HEIGHT - 40)) click 1
  sleep 0.5
  xdotool type --delay 150 "e"
  sleep 0.3
  xdotool key Return
  local registered=""
  for _ in $(seq 50); do
    if ! head -c 3 "$folder/rank/Ranking.txt" | grep -q '^,0,'; then registered=1; break; fi
    sleep 0.2
  done
  [ -n "$registered" ] || fail "no flight was registered"
  import -window root "$shots/${prefix}4-replay.png"
  head -c 4 "$folder/rank/Ranking.txt" | grep -q '^e2e,' ||
    fail "the typed name is not the ranked name: $(head -c 20 "$folder/rank/Ranking.txt")"
}
