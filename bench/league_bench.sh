#!/usr/bin/env bash
# The league under load over loopback: one server on SQLite, then two servers sharing
# one PostgreSQL database. Prints verified submissions per second (the eight shipped
# ranking entries the open contest takes, each sent as distinct flights) and the
# p50/p99 latency of `top` reads at a fixed rate.
#
#   bash bench/league_bench.sh [BUILD_DIR] [SUBMISSIONS] [TOP_RATE_PER_S]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
submissions=${2:-2000}
top_rate=${3:-500}
league=$build/bin/velkaro-league
load=$build/bench/velkaro_league_load
entries=()
for i in 0 1 2 3 6 7 8 9; do entries+=("$root/data/rank/rank$i.txt"); done

work=$(mktemp -d /tmp/velkaro-league-bench-XXXXXX)
chmod 755 "$work"  # the PostgreSQL server's user must reach its folder inside
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  [ -f "$work/postgres/postgres.pid" ] && bash "$root/tests/league/postgres_server.sh" stop "$work/postgres" >/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

free_port() { python3 -c 'import socket;s=socket.socket();s.bind(("127.0.0.1",0));print(s.getsockname()[1])'; }

# Starts a league server with the given store options; its port in $port.
start_league() {
  port=$(free_port)
  "$league" --data "$work/data" --listen "127.0.0.1:$port" --submissions-per-minute 1000000 "$@" \
    2>>"$work/league-$port.log" &
  pids+=($!)
  for _ in $(seq 100); do
    curl -sf "http://127.0.0.1:$port/healthz" >/dev/null && return 0
    sleep 0.1
  done
  echo "league_bench: the league on port $port did not start" >&2
  exit 1
}

stop_leagues() {
  for pid in "${pids[@]}"; do kill "$pid"; done
  for pid in "${pids[@]}"; do wait "$pid"; done
  pids=()
}

echo "== SQLite, one server"
start_league
"$load" "${entries[@]}" --server "127.0.0.1:$port" --submissions "$submissions" --top-rate "$top_rate"
stop_leagues

echo "== PostgreSQL, two servers"
conninfo=$(bash "$root/tests/league/postgres_server.sh" start "$work/postgres")
start_league --postgres "$conninfo" --workers 2
first=$port
start_league --postgres "$conninfo" --workers 2
"$load" "${entries[@]}" --server "127.0.0.1:$first" --server "127.0.0.1:$port" --submissions "$submissions" \
  --top-rate "$top_rate"
stop_leagues
