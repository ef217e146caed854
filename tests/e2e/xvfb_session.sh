# Shared by the end-to-end runs (sourced): checks the tools (exit 77, skipped, when one
# is missing), starts a private Xvfb display, makes a work folder, and on exit runs
# `on_exit` (if a script sets it), stops the game and the display and removes the
# folder.
# Set before sourcing: e2e_tools (tools needed besides Xvfb and xdotool) and
# e2e_display_base (first display number of the run's own range of nine).
set -u
for tool in Xvfb xdotool $e2e_tools; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
game_pid="" xvfb_pid="" on_exit=""
e2e_cleanup() {
  [ -n "$on_exit" ] && eval "$on_exit"
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap e2e_cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

display=":$((e2e_display_base + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

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
