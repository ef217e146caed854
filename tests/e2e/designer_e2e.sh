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

ctrl_key() {  # letter [shift]
  xdotool keydown ctrl
  [ -n "${2:-}" ] && xdotool keydown shift
  xdotool key "$1"
  [ -n "${2:-}" ] && xdotool keyup shift
  xdotool keyup ctrl
}

# Pixels of the warnings box in a colour: the warnings' orange, or the green of
# "警告はありません。" (ImGui's anti-aliased text, so a tolerance).
colour_pixels() {  # colour
  window_rect warnings && import -window "$config" "$work/now.png" 2>/dev/null &&
    convert "$work/now.png" -crop "${WW}x${WH}+${WX}+${WY}" +repage -fuzz 12% -fill black +opaque "$1" -fill white -opaque "$1" \
      -format '%[fx:round(mean*w*h)]' info:
}
orange='rgb(191,107,0)' green='rgb(26,128,51)'
warned() { [ "$(colour_pixels "$orange")" -gt 30 ]; }
all_clear() { [ "$(colour_pixels "$orange")" -eq 0 ] && [ "$(colour_pixels "$green")" -gt 30 ]; }

# A modal (the chooser, a question) dims the window behind it: a patch of the left
# column, clear of any modal, turns darker than it was.
patch=250x200+10+500
brightness() { import -window "$config" "$work/now.png" 2>/dev/null && mean "$work/now.png" "$patch"; }
dimmed() { above "$undimmed" "$(awk -v b="$(brightness)" 'BEGIN { print b * 1.1 }')"; }
# The chooser, opened by a shortcut, with its name field taking the keyboard.
chooser_shown() {  # what opened it
  wait_for_open chooser
  wait_for_widget_flag chooser.name active
  poll_until 10 dimmed || fail "$1 did not dim the window behind the chooser"
}
# A name typed into the chooser and confirmed with Enter.
choose_name() {  # name
  xdotool type --delay 100 "$1"
  wait_for_value chooser.name "$1"
  xdotool key Return
}

mkdir -p "$work/play"
cp -r "$data"/. "$work/play"/
(cd "$work/play" && exec "$config" >"$work/config.log" 2>&1) &
config_pid=$!
config=$(wait_for_window velkaro-config)
[ -n "$config" ] || { show_logs "$work/config.log"; fail "the configurator's window did not appear"; }
xdotool windowfocus --sync "$config" 2>/dev/null || true
use_ui "$config" velkaro-config
wait_for_widget line14  # "翼幅"
poll_until 15 all_clear || fail "the shipped design shows warnings"
undimmed=$(brightness)

# 1. The slip.
click_widget line14
wait_for_widget_flag line14 active
xdotool key --delay 100 End
for _ in $(seq 8); do xdotool key --delay 100 BackSpace; done
wait_for_value line14 ""
xdotool type --delay 150 "3032"
wait_for_value line14 3032
xdotool key Return
poll_until 15 warned
import -window root "$shots/designer-1-slip-warned.png"
warned || fail "a span of 3032 m brought no warning (see $shots/designer-1-slip-warned.png)"

# 2. Undone: the warnings box is green again.
park_pointer  # away from the fields and their tooltips
ctrl_key z
poll_until 15 all_clear || fail "Ctrl+Z left the warning (see $shots/designer-2-undone.png)"
import -window root "$shots/designer-2-undone.png"

# 3. Save as: the design (the shipped one again) in another file, temp.txt untouched.
ctrl_key s shift
chooser_shown "Ctrl+Shift+S"
choose_name glider-b
poll_until 15 test -s "$work/play/glider-b.txt" || fail "save as wrote no glider-b.txt"
wait_for_closed chooser
cmp -s "$work/play/glider-b.txt" "$data/temp.txt" || fail "glider-b.txt is not the design (the span typed back?)"
cmp -s "$work/play/temp.txt" "$data/temp.txt" || fail "save as changed temp.txt"
import -window root "$shots/designer-3-saved-as.png"

# 4. The chooser lists the working folder; the fourth place's row, clicked, and Enter
# open it (a double click does too, but it depends on how fast frames come).
ctrl_key o
chooser_shown "Ctrl+O"
import -window root "$shots/designer-4-chooser.png"
click_widget chooser.item.rank/rank3.txt
wait_for_value chooser.name rank/rank3.txt
xdotool key Return
wait_for_closed chooser
park_pointer
wait_for_frames 2
import -window root "$shots/designer-5-opened-ranked-entry.png"
# What was opened is what a save writes: the entry's aircraft lines (its first 49).
ctrl_key s shift
chooser_shown "Ctrl+Shift+S"
xdotool keydown ctrl key a keyup ctrl  # the entry's own name is suggested
choose_name from-rank3
poll_until 15 test -s "$work/play/from-rank3.txt" || fail "save as after opening the entry wrote nothing"
head -n 49 "$data/rank/rank3.txt" | cmp -s - "$work/play/from-rank3.txt" ||
  fail "the design opened from the chooser is not rank/rank3.txt's (see $shots/designer-5-opened-ranked-entry.png)"
cmp -s "$work/play/rank/rank3.txt" "$data/rank/rank3.txt" || fail "the ranked entry was changed"

# 5. The two designs compared: the ranked entry's (being edited) against glider-b.txt,
# then against from-rank3.txt, its own file.
wait_for_closed chooser
compare_designs glider-b.txt from-rank3.txt designer-6-compared.png

# 6. Two flights in one plot: the ranked entry flown with its tail log, and glider-b.txt
# flown untouched.
plot_two_flights rank/rank3.txt glider-b.txt designer-7-two-flights.png
toggle_window view.flights flights  # closes the flights window

# The end: quit from the menu (nothing unsaved), and the program exits by itself.
click_widget menu.file
click_widget file.quit
poll_until 30 eval "! kill -0 $config_pid 2>/dev/null" || fail "the configurator did not quit"
wait "$config_pid"
code=$?
config_pid=""
[ "$code" -eq 0 ] || fail "the configurator exited with $code"
echo "PASS: slip warned, undone, saved as glider-b.txt, rank/rank3.txt opened from the chooser, compared with glider-b.txt, both flown in one plot; screenshots in $shots"
