# Shared by the end-to-end runs (sourced): checks the tools (exit 77, skipped, when one
# is missing), starts a private Xvfb display, makes a work folder, and on exit runs
# `on_exit` (if a script sets it), stops the game and the display and removes the
# folder.
# Set before sourcing: e2e_tools (tools needed besides Xvfb and xdotool).
set -u
for tool in Xvfb xdotool $e2e_tools; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
game_pid="" xvfb_pid="" on_exit=""
e2e_cleanup() {
  [ -n "$on_exit" ] && eval "$on_exit"
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap e2e_cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Xvfb picks a free display itself and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"

# The id of the window titled exactly $1, once it exists (empty after 10 s).
wait_for_window() {
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  echo "$id"
}
