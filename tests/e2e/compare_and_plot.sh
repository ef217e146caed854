# The configurator's comparison and flights windows, driven through its UI probe
# (sourced by the runs that use them, after xvfb_session.sh; the configurator's UI is
# the one chosen with use_ui). Set before calling: work, shots.

changed_row='rgb(255,236,150)'  # behind a compared row that differs
first_flight='rgb(66,120,210)'  # the plot's first and second series
second_flight='rgb(220,90,40)'

# Pixels of exactly one colour in a window of the configurator (where the probe places
# it), now.
colour_count() {  # window colour
  window_rect "$1" && import -window "$ui_window" "$work/now.png" 2>/dev/null || { echo 0; return; }
  convert "$work/now.png" -crop "${WW}x${WH}+${WX}+${WY}" +repage -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:round(mean*w*h)]' info:
}
more_than() { above "$(colour_count "$1" "$2")" "$3"; }
at_most() { ! more_than "$@"; }
# Waits until a measure holds, for two minutes at most: a flight flown in a sanitizer
# build on a busy machine takes many seconds.
wait_long() { poll_until 120 "$@"; }

# Opens or closes a window from the 表示 menu.
toggle_window() {  # item window
  local was_open=""
  window_rect "$2" && was_open=1
  click_widget menu.view
  click_widget "$1"
  if [ -n "$was_open" ]; then wait_for_closed "$2"; else wait_for_open "$2"; fi
}

# The name typed into a window's file field (PREFIX.path) once the field has the
# keyboard, and its button (PREFIX.button) clicked once the field shows the whole name.
type_file() {  # prefix file
  click_widget "$1.path"
  wait_for_widget_flag "$1.path" active
  xdotool keydown ctrl key a keyup ctrl  # what an earlier file left there is replaced
  xdotool type --delay 60 "$2"
  wait_for_value "$1.path" "$2"
  click_widget "$1.button"
}

# Opens the comparison, compares the design being edited with $1 (whose rows must
# differ somewhere, in yellow) and then with $2 (the same design: no row marked), and
# closes it again. The first comparison's picture is $shots/$3.
compare_designs() {  # differing-file same-file screenshot-name
  toggle_window view.comparison comparison
  at_most comparison "$changed_row" 0 || fail "rows are marked before a design is chosen"
  type_file compare_file "$1"
  wait_long more_than comparison "$changed_row" 2000 ||
    { import -window root "$shots/fail-compare.png"; fail "comparing with $1 marks no row"; }
  park_pointer
  wait_for_frames 2
  import -window root "$shots/$3"
  type_file compare_file "$2"
  wait_long at_most comparison "$changed_row" 0 ||
    { import -window root "$shots/fail-compare-same.png"; fail "$2 against the same design still marks rows"; }
  toggle_window view.comparison comparison  # closes the comparison
}

# Opens the flights window and adds $1 and then $2: each is drawn in its own colour,
# and the first stays when the second comes. The picture of both is $shots/$3.
plot_two_flights() {  # first-file second-file screenshot-name
  toggle_window view.flights flights
  type_file flight_file "$1"
  # Two swatches of about 150 px and a curve of several hundred: a curve is there.
  wait_long more_than flights "$first_flight" 300 ||
    { import -window root "$shots/fail-first-flight.png"; fail "$1 is not plotted"; }
  at_most flights "$second_flight" 0 || fail "a second flight is drawn before one was added"
  type_file flight_file "$2"
  wait_long more_than flights "$second_flight" 300 ||
    { import -window root "$shots/fail-second-flight.png"; fail "$2 is not plotted"; }
  more_than flights "$first_flight" 300 || fail "the first flight went away when the second came"
  park_pointer
  wait_for_frames 2
  import -window root "$shots/$3"
}
