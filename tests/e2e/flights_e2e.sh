#!/usr/bin/env bash
# End to end under Xvfb: the configurator compares the design with a ranked entry's
# (the rows that differ are marked in yellow; against itself none are) and overlays two
# flights, a ranked entry flown headless and a CSV export of the game, each in its own
# colour.
# Usage: flights_e2e.sh CONFIG_EXECUTABLE SIM_EXECUTABLE DATA_DIR SCREENSHOT_DIR
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
config_program=$1 sim=$2 data=$3 shots=$4
e2e_tools="import convert"
source "$(dirname "$0")/xvfb_session.sh"
mkdir -p "$shots"

# Window-relative places (the configurator's layout is fixed by its code).
view_menu_x=149 view_menu_y=10         # "表示"
flights_item_x=170 flights_item_y=68   # "飛行の比較"
compare_item_x=170 compare_item_y=86   # "設計の比較"
flights_field_x=400 flights_field_y=81    # the flights window's file name field
compare_field_x=429 compare_field_y=89    # the comparison window's file name field
flights_area=960x690+24+44             # the flights window
compare_area=900x680+40+52             # the comparison window
changed_row='rgb(255,236,150)'         # behind a compared row that differs
first_flight='rgb(66,120,210)'         # the plot's first and second series
second_flight='rgb(220,90,40)'

click() { xdotool mousemove --window "$config" "$1" "$2" click 1; sleep 0.3; }
menu_item() { click "$view_menu_x" "$view_menu_y"; click "$1" "$2"; }
type_file() {  # field x, y, file name
  click "$1" "$2"
  xdotool type --delay 60 "$3"
  xdotool key Return
}

# Pixels of exactly one colour in a region of the configurator's window, now.
colour_count() {  # region colour
  import -window "$config" "$work/now.png" 2>/dev/null || { echo 0; return; }
  convert "$work/now.png" -crop "$1" +repage -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:round(mean*w*h)]' info:
}
more_than() { above "$(colour_count "$1" "$2")" "$3"; }
at_most() { ! more_than "$@"; }
# Waits (30 s at most) until a measure holds.
wait_until() {
  for _ in $(seq 150); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

mkdir -p "$work/play"
cp -r "$data"/. "$work/play"/
# A CSV export of the shipped glider's untouched flight, named as the game names them.
export_file=20261209-102000.txt
(cd "$work/play" && "$sim" temp.txt --csv "$export_file" >/dev/null) || fail "velkaro-sim could not write the export"

(cd "$work/play" && exec "$config_program" >"$work/config.log" 2>&1) &
game_pid=$!
config=$(wait_for_window velkaro-config)
[ -n "$config" ] || { show_logs "$work/config.log"; fail "the configurator did not start"; }
xdotool windowfocus --sync "$config" 2>/dev/null || true
sleep 1

# The design against a ranked entry: its differing rows turn yellow.
menu_item "$compare_item_x" "$compare_item_y"
at_most "$compare_area" "$changed_row" 0 || fail "rows are marked before a design is chosen"
type_file "$compare_field_x" "$compare_field_y" rank/rank3.txt
wait_until more_than "$compare_area" "$changed_row" 2000 ||
  { import -window root "$shots/flights-fail-compare.png"; fail "comparing with rank3.txt marks no row"; }
import -window root "$shots/flights-1-compare-rank3.png"
# Against itself nothing differs.
type_file "$compare_field_x" "$compare_field_y" temp.txt
wait_until at_most "$compare_area" "$changed_row" 0 ||
  { import -window root "$shots/flights-fail-self.png"; fail "temp.txt against itself still marks rows"; }
menu_item "$compare_item_x" "$compare_item_y"  # closes the comparison

# Two flights overlaid: a ranked entry, flown, then the export, read.
menu_item "$flights_item_x" "$flights_item_y"
type_file "$flights_field_x" "$flights_field_y" rank/rank3.txt
# Two swatches of about 150 px and a curve of several hundred: a curve is there.
wait_until more_than "$flights_area" "$first_flight" 300 ||
  { import -window root "$shots/flights-fail-entry.png"; fail "the flown entry is not plotted"; }
at_most "$flights_area" "$second_flight" 0 || fail "a second flight is drawn before one was added"
type_file "$flights_field_x" "$flights_field_y" "$export_file"
wait_until more_than "$flights_area" "$second_flight" 300 ||
  { import -window root "$shots/flights-fail-export.png"; fail "the CSV export is not plotted"; }
more_than "$flights_area" "$first_flight" 300 || fail "the first flight went away when the second came"
xdotool mousemove --window "$config" 1000 700
sleep 0.5
import -window root "$shots/flights-2-two-flights.png"

kill -TERM "$game_pid" 2>/dev/null
wait "$game_pid" 2>/dev/null
game_pid=""
grep -q . "$work/config.log" && { cat "$work/config.log"; fail "the configurator warned"; }
echo "PASS: design compared with rank3.txt (rows marked, none against itself), an entry and an export overlaid; screenshots in $shots"
