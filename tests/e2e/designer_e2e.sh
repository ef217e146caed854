#!/usr/bin/env bash
# End to end under Xvfb, the configurator as a designer uses it: a typing slip (a span
# of 3032 m) brings up a warning, Ctrl+Z takes it back, Ctrl+Shift+S saves the design
# under another name (the file holds the design, temp.txt is untouched), and Ctrl+O's
# file chooser opens a ranked entry from its row (saved as again, the file holds that
# entry's aircraft lines), the entry's design is compared with the design saved before
# (the rows that differ marked; against its own file none), and the entry and that
# design are flown and overlaid in one plot.
# Usage: designer_e2e.sh CONFIG_EXECUTABLE DATA_DIR SCREENSHOT_DIR
# Exits 77 (skipped) when Xvfb, xdotool, ImageMagick or openbox is missing.
config=$1 data=$2 shots=$3
e2e_tools="import convert compare"
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/compare_and_plot.sh"
config_pid=""
on_exit='[ -n "$config_pid" ] && kill "$config_pid" 2>/dev/null'
mkdir -p "$shots"

# Window-relative places of what is clicked (the layout is fixed by the program): the
# left column's values stand where they stand in any window size.
span_field_x=270 span_field_y=328       # "翼幅"
file_menu_x=20 file_menu_y=8            # "ファイル"
quit_item_x=25 quit_item_y=127          # "終了" while the design is saved to temp.txt
menu_row=18                             # px; a design of another file adds "temp.txt に保存" above it
warnings_box=480x80+512+52              # the warnings at the top of the right column
# The chooser is a modal in the middle of the window; with the shipped folder it lists
# image/, model/, pol/, rank/, temp.txt and then the ranking's entries best first. The
# fourth place's row (rank/rank3.txt) lies this far from the window's centre.
rank3_row_dx=-212 rank3_row_dy=28

ctrl_key() {  # letter [shift]
  xdotool keydown ctrl
  [ -n "${2:-}" ] && xdotool keydown shift
  xdotool key "$1"
  [ -n "${2:-}" ] && xdotool keyup shift
  xdotool keyup ctrl
}
click() { xdotool mousemove --window "$config" "$1" "$2" click "${3:-1}"; }

# Return, held long enough for the UI to see it, until a condition holds: a key pressed
# and released within one slow frame goes unseen, so a press that changed nothing is
# made again (said with RETRY:); three at most.
return_until() {  # condition...
  for try in 1 2 3; do
    xdotool keydown Return
    sleep 0.2
    xdotool keyup Return
    wait_until "$@" && return 0
    echo "RETRY: Return changed nothing (try $try)"
  done
  return 1
}

# Waits (15 s at most) until a command succeeds; no fixed sleeps where a state can be seen.
wait_until() {
  for _ in $(seq 150); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Pixels of the warnings box in a colour: the warnings' orange, or the green of
# "警告はありません。" (ImGui's anti-aliased text, so a tolerance).
colour_pixels() {  # colour
  import -window "$config" "$work/now.png" 2>/dev/null &&
    convert "$work/now.png" -crop "$warnings_box" +repage -fuzz 12% -fill black +opaque "$1" -fill white -opaque "$1" \
      -format '%[fx:round(mean*w*h)]' info:
}
orange='rgb(191,107,0)' green='rgb(26,128,51)'
warned() { [ "$(colour_pixels "$orange")" -gt 30 ]; }
all_clear() { [ "$(colour_pixels "$orange")" -eq 0 ] && [ "$(colour_pixels "$green")" -gt 30 ]; }

# A modal (the chooser, a question) dims the window behind it: a patch of the left
# column, clear of any modal, turns darker than it was.
patch=250x200+10+500
brightness() { import -window "$config" "$work/now.png" 2>/dev/null && mean "$work/now.png" "$patch"; }
modal_shown() { above "$undimmed" "$(awk -v b="$(brightness)" 'BEGIN { print b * 1.1 }')"; }
no_modal() { ! modal_shown; }

mkdir -p "$work/play"
cp -r "$data"/. "$work/play"/
(cd "$work/play" && exec "$config" >"$work/config.log" 2>&1) &
config_pid=$!
config=$(wait_for_window velkaro-config)
[ -n "$config" ] || { show_logs "$work/config.log"; fail "the configurator's window did not appear"; }
xdotool windowfocus --sync "$config" 2>/dev/null || true
window_geometry "$config"
wait_until all_clear || fail "the shipped design shows warnings"
undimmed=$(brightness)

# 1. The slip. A keystroke lost on a slow machine is typed again (said with RETRY:);
# each try is one step of the undo history.
tries=0
for try in 1 2 3; do
  tries=$try
  click "$span_field_x" "$span_field_y"
  xdotool key --delay 100 End
  for _ in $(seq 8); do xdotool key --delay 100 BackSpace; done
  xdotool type --delay 150 "3032"
  xdotool key Return
  wait_until warned && break
  echo "RETRY: no warning after typing the span (try $try)"
done
import -window root "$shots/designer-1-slip-warned.png"
warned || fail "a span of 3032 m brought no warning (see $shots/designer-1-slip-warned.png)"

# 2. Undone: the warnings box is green again.
xdotool mousemove --window "$config" 900 900  # away from the fields and their tooltips
for _ in $(seq "$tries"); do ctrl_key z; done
wait_until all_clear || fail "Ctrl+Z left the warning (see $shots/designer-2-undone.png)"
import -window root "$shots/designer-2-undone.png"

# 3. Save as: the design (the shipped one again) in another file, temp.txt untouched.
ctrl_key s shift
wait_until modal_shown || fail "Ctrl+Shift+S showed no chooser"
xdotool type --delay 100 "glider-b"
return_until test -s "$work/play/glider-b.txt" || fail "save as wrote no glider-b.txt"
wait_until no_modal || fail "the chooser stayed open"
cmp -s "$work/play/glider-b.txt" "$data/temp.txt" || fail "glider-b.txt is not the design (the span typed back?)"
cmp -s "$work/play/temp.txt" "$data/temp.txt" || fail "save as changed temp.txt"
import -window root "$shots/designer-3-saved-as.png"

# 4. The chooser lists the working folder; the fourth place's row, clicked, and Enter
# open it (a double click does too, but it depends on how fast frames come).
ctrl_key o
wait_until modal_shown || fail "Ctrl+O showed no chooser"
import -window root "$shots/designer-4-chooser.png"
click $((WIDTH / 2 + rank3_row_dx)) $((HEIGHT / 2 + rank3_row_dy))
return_until no_modal || fail "the row and Enter opened nothing (see $shots/designer-4-chooser.png)"
xdotool mousemove --window "$config" 900 900
import -window root "$shots/designer-5-opened-ranked-entry.png"
# What was opened is what a save writes: the entry's aircraft lines (its first 49).
ctrl_key s shift
wait_until modal_shown || fail "Ctrl+Shift+S showed no chooser"
xdotool type --delay 100 "from-rank3"
return_until test -s "$work/play/from-rank3.txt" || fail "save as after opening the entry wrote nothing"
head -n 49 "$data/rank/rank3.txt" | cmp -s - "$work/play/from-rank3.txt" ||
  fail "the design opened from the chooser is not rank/rank3.txt's (see $shots/designer-5-opened-ranked-entry.png)"
cmp -s "$work/play/rank/rank3.txt" "$data/rank/rank3.txt" || fail "the ranked entry was changed"

# 5. The two designs compared: the ranked entry's (being edited) against glider-b.txt,
# then against from-rank3.txt, its own file.
wait_until no_modal || fail "the chooser stayed open"
compare_designs glider-b.txt from-rank3.txt designer-6-compared.png

# 6. Two flights in one plot: the ranked entry flown with its tail log, and glider-b.txt
# flown untouched.
plot_two_flights rank/rank3.txt glider-b.txt designer-7-two-flights.png
toggle_window "$flights_item_x" "$flights_item_y" "$flights_title"  # closes the flights window

# The end: quit from the menu (nothing unsaved), and the program exits by itself.
wait_until no_modal || fail "the chooser stayed open"
click "$file_menu_x" "$file_menu_y"
sleep 0.5  # the menu opens on the next frame
click "$quit_item_x" $((quit_item_y + menu_row))  # the design is from-rank3.txt's now
wait_until bash -c "! kill -0 $config_pid 2>/dev/null" || fail "the configurator did not quit"
wait "$config_pid"
code=$?
config_pid=""
[ "$code" -eq 0 ] || fail "the configurator exited with $code"
echo "PASS: slip warned, undone, saved as glider-b.txt, rank/rank3.txt opened from the chooser, compared with glider-b.txt, both flown in one plot; screenshots in $shots"
