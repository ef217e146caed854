# The configurator's comparison and flights windows, driven with the mouse and keys
# (sourced by the runs that use them, after xvfb_session.sh). Set before calling:
# config (the configurator's window id), work, shots.

# Window-relative places (the configurator's layout is fixed by its code).
view_menu_x=149 view_menu_y=10         # "表示"
flights_item_x=170 flights_item_y=68   # "飛行の比較"
compare_item_x=170 compare_item_y=86   # "設計の比較"
flights_field_x=400 flights_field_y=81    # the flights window's file name field
flights_button_x=547 flights_button_y=81  # and its "追加"
compare_field_x=429 compare_field_y=89    # the comparison window's file name field
compare_button_x=569 compare_button_y=89  # and its "比べる"
flights_area=960x690+24+44             # the flights window
compare_area=900x680+40+52             # the comparison window
changed_row='rgb(255,236,150)'         # behind a compared row that differs
first_flight='rgb(66,120,210)'         # the plot's first and second series
second_flight='rgb(220,90,40)'

menu_items=220x40+130+56                # where the menu's two window items drop down
flights_title=500x16+400+46              # the flights window's title bar, right of the menu
compare_title=500x16+400+54              # the comparison window's
flights_field=200x16+304+73              # the fields' text
compare_field=200x16+320+81

config_click() { xdotool mousemove --window "$config" "$1" "$2" click 1; }

# A region of the configurator's window kept under a name, and whether it looks
# different now: the UI has drawn what an action changed.
keep_region() { import -window "$config" -crop "$1" +repage "$work/kept-$2.png"; }
region_changed() {  # region name
  import -window "$config" -crop "$1" +repage "$work/now-$2.png" 2>/dev/null || return 1
  ! compare -metric AE "$work/kept-$2.png" "$work/now-$2.png" null: 2>/dev/null
}
# Clicks and waits until the region has changed.
click_and_wait() {  # x y region what
  keep_region "$3" region
  config_click "$1" "$2"
  wait_long region_changed "$3" region || { import -window root "$shots/fail-click.png"; fail "$4 did not change"; }
}

# Opens or closes a window from the 表示 menu: the menu must have dropped down before
# its item is clicked, and the window's title bar must have come or gone.
toggle_window() {  # item-x item-y title-region
  keep_region "$3" title
  click_and_wait "$view_menu_x" "$view_menu_y" "$menu_items" "the 表示 menu"
  config_click "$1" "$2"
  wait_long region_changed "$3" title || { import -window root "$shots/fail-window.png"; fail "the window did not open or close"; }
}

# The name is typed into the field (the click and the characters reach it in order;
# characters are queued, never lost) and, once it shows there, the button is clicked:
# a key pressed and released within one slow frame would go unseen by the UI, a click
# never is.
type_file() {  # field-x field-y field-region button-x button-y file
  keep_region "$3" field
  config_click "$1" "$2"
  xdotool type --delay 60 "$6"
  wait_long region_changed "$3" field || { import -window root "$shots/fail-typing.png"; fail "$6 was not typed"; }
  config_click "$4" "$5"
}

# Pixels of exactly one colour in a region of the configurator's window, now.
colour_count() {  # region colour
  import -window "$config" "$work/now.png" 2>/dev/null || { echo 0; return; }
  convert "$work/now.png" -crop "$1" +repage -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:round(mean*w*h)]' info:
}
more_than() { above "$(colour_count "$1" "$2")" "$3"; }
at_most() { ! more_than "$@"; }
# Waits until a measure holds, for two minutes at most: a flight flown in a sanitizer
# build on a busy machine takes many seconds.
wait_long() {
  local deadline=$((SECONDS + 120))
  while [ "$SECONDS" -lt "$deadline" ]; do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

# Opens the comparison, compares the design being edited with $1 (whose rows must
# differ somewhere, in yellow) and then with $2 (the same design: no row marked), and
# closes it again. The first comparison's picture is $shots/$3.
compare_designs() {  # differing-file same-file screenshot-name
  toggle_window "$compare_item_x" "$compare_item_y" "$compare_title"
  at_most "$compare_area" "$changed_row" 0 || fail "rows are marked before a design is chosen"
  type_file "$compare_field_x" "$compare_field_y" "$compare_field" "$compare_button_x" "$compare_button_y" "$1"
  wait_long more_than "$compare_area" "$changed_row" 2000 ||
    { import -window root "$shots/fail-compare.png"; fail "comparing with $1 marks no row"; }
  xdotool mousemove --window "$config" 1000 700
  import -window root "$shots/$3"
  type_file "$compare_field_x" "$compare_field_y" "$compare_field" "$compare_button_x" "$compare_button_y" "$2"
  wait_long at_most "$compare_area" "$changed_row" 0 ||
    { import -window root "$shots/fail-compare-same.png"; fail "$2 against the same design still marks rows"; }
  toggle_window "$compare_item_x" "$compare_item_y" "$compare_title"  # closes the comparison
}

# Opens the flights window and adds $1 and then $2: each is drawn in its own colour,
# and the first stays when the second comes. The picture of both is $shots/$3.
plot_two_flights() {  # first-file second-file screenshot-name
  toggle_window "$flights_item_x" "$flights_item_y" "$flights_title"
  type_file "$flights_field_x" "$flights_field_y" "$flights_field" "$flights_button_x" "$flights_button_y" "$1"
  # Two swatches of about 150 px and a curve of several hundred: a curve is there.
  wait_long more_than "$flights_area" "$first_flight" 300 ||
    { import -window root "$shots/fail-first-flight.png"; fail "$1 is not plotted"; }
  at_most "$flights_area" "$second_flight" 0 || fail "a second flight is drawn before one was added"
  type_file "$flights_field_x" "$flights_field_y" "$flights_field" "$flights_button_x" "$flights_button_y" "$2"
  wait_long more_than "$flights_area" "$second_flight" 300 ||
    { import -window root "$shots/fail-second-flight.png"; fail "$2 is not plotted"; }
  more_than "$flights_area" "$first_flight" 300 || fail "the first flight went away when the second came"
  xdotool mousemove --window "$config" 1000 700
  sleep 0.5
  import -window root "$shots/$3"
}
