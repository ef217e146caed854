# Shared by the end-to-end runs with a league (sourced after a `fail` function and a
# work folder $work exist): the league server built here on a free loopback port, and
# headless Chromium with a private profile.
league_startup_polls=300  # of 0.1 s: the server opens its database and computes its physics version
league_stop_polls=300     # of 0.1 s: requests in progress finish before it exits
league_pid=""

free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

# Starts LEAGUE with its data in FOLDER on PORT and waits until /healthz answers;
# 1 when the port was taken in between, a failure for anything else.
start_league() {  # league folder port
  "$1" --data "$2" --listen "127.0.0.1:$3" >>"$work/league.log" 2>&1 &
  league_pid=$!
  for _ in $(seq "$league_startup_polls"); do
    curl -fsS --max-time 2 "http://127.0.0.1:$3/healthz" >/dev/null 2>&1 && return 0
    if ! kill -0 "$league_pid" 2>/dev/null; then
      wait "$league_pid" || true
      league_pid=""
      grep -q "cannot listen" "$work/league.log" && return 1
      cat "$work/league.log"
      fail "the league exited while starting"
    fi
    sleep 0.1
  done
  fail "the league did not answer /healthz within $((league_startup_polls / 10)) s"
}

# Ends the league with SIGTERM; fails unless it exits with 0 in time.
stop_league() {
  kill -TERM "$league_pid"
  for _ in $(seq "$league_stop_polls"); do
    kill -0 "$league_pid" 2>/dev/null || break
    sleep 0.1
  done
  wait "$league_pid"
  local code=$?
  league_pid=""
  [ "$code" -eq 0 ] || fail "the league exited with $code"
}

# Headless Chromium on a private profile (nothing of a user's browser is read or
# changed); its first start can take a while.
browser() {
  timeout --kill-after=10 120 chromium --headless=new --no-sandbox --disable-gpu --no-first-run \
    --user-data-dir="$work/chromium" --hide-scrollbars --run-all-compositor-stages-before-draw "$@" \
    2>>"$work/chromium.log"
}
