# Shared by the end-to-end runs that register a flight (sourced after xvfb_session.sh).

# Makes the design in FOLDER land within a second (a launch height of 1.5 m and a heavy
# pilot) and empties its ranking, so that any distance is registered.
make_quick_flight() {  # folder
  sed -i -e '3s/,10\.5\r/,1.5\r/' -e '8s/,100\r/,1000\r/' "$1/temp.txt"
  printf ',0,,0,,0,,0,,0,,0,,0,,0,,0,,0,0' >"$1/rank/Ranking.txt"
}

# Waits up to SECONDS for the name dialog with its edit box taking the keyboard, and
# checks that the box is drawn white over the picture; fails with a screenshot in SHOT
# when the dialog does not appear. Sets WX, WY, WW and WH to the box's place.
name_box_white() {
  window_geometry "$window"
  local y=$((Y + WY + WH / 2)) x
  for x in $((X + WX + WW / 2)) $((X + WX + WW - 8)); do  # right of any typed text
    [ "$(import -window root -crop "1x1+$x+$y" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -n 1)" = "#FFFFFF" ] ||
      return 1
  done
}
wait_for_name_dialog() {  # seconds shot
  poll_until "$1" widget_has name.field active || { import -window root "$2"; ui_fail "the name dialog did not appear"; }
  poll_until 10 name_box_white || { import -window root "$2"; ui_fail "the name dialog's edit box is not drawn white"; }
}

ranking_has_entry() { ! head -c 3 "$1/rank/Ranking.txt" | grep -q '^,0,'; }  # folder

# Launches with Space in the game's window $window, waits for the name dialog, types
# the name "e2e" (with an Esc and a stray click beside the dialog in the middle: the box
# keeps what was typed, takes the keyboard back once the button is released, and Enter
# means OK) and waits until FOLDER's ranking holds it. Screenshots go to SHOTS with the
# given name prefix.
register_flight() {  # folder shots prefix
  local folder=$1 shots=$2 prefix=$3
  hold_key_until space 'Launch|Flight|Landed|Replay'
  import -window root "$shots/${prefix}2-launch.png"
  # The run, the flight, touchdown and the two seconds of the result take a few seconds
  # (more on a loaded machine).
  wait_for_name_dialog 60 "$shots/${prefix}3-name-dialog.png"
  import -window root "$shots/${prefix}3-name-dialog.png"
  # Typed through XTEST into the focused window (the text input ignores sent events).
  xdotool type --delay 150 "e2"
  wait_for_value name.field e2
  xdotool key Escape
  window_rect name
  point_at $((WX - 20)) $((WY + WH / 2))  # beside the dialog, left of it
  xdotool mousedown 1
  wait_for_widget_flag name.field '!active'  # the click took the keyboard from the box
  xdotool mouseup 1
  wait_for_widget_flag name.field active
  xdotool type --delay 150 "e"
  wait_for_value name.field e2e
  xdotool key Return
  poll_until 30 ranking_has_entry "$folder" || fail "no flight was registered"
  wait_for_closed name
  wait_for_frames 2
  import -window root "$shots/${prefix}4-replay.png"
  head -c 4 "$folder/rank/Ranking.txt" | grep -q '^e2e,' ||
    fail "the typed name is not the ranked name: $(head -c 20 "$folder/rank/Ranking.txt")"
}
