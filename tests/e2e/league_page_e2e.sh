#!/usr/bin/env bash
# End to end for the league's web page in a real browser: the league server built here
# starts on a free loopback port with an empty folder, two shipped ranking entries are
# submitted over its API (one by a Japanese name, one by a name that is HTML), and
# headless Chromium reads the index and the first flight's page: the open contest's two
# rows, the Japanese name as text, the HTML name as text and never as an element, the
# flight's drawing. Screenshots of both pages, and of the index at phone width. The
# server then stops on SIGTERM with exit status 0.
# Usage: league_page_e2e.sh LEAGUE_EXECUTABLE DATA_DIR SCREENSHOT_DIR
# Exits 77 (skipped) when chromium, curl or python3 is missing.
set -euo pipefail
shopt -s inherit_errexit  # also inside $(...)
league=$1 data=$2 shots=$3
for tool in chromium curl python3 timeout; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
source "$(dirname "$0")/league_server.sh"
cleanup() {
  if [ -n "$league_pid" ]; then
    kill "$league_pid" 2>/dev/null || true
    wait "$league_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
# On stderr: a failure inside $(...) is seen, not taken as the command's output.
fail() {
  echo "FAIL: $*" >&2
  if [ -s "$work/league.log" ]; then echo "--- league log" >&2; cat "$work/league.log" >&2; fi
  exit 1
}

japanese_pilot="山田 太郎"
html_pilot="<script>alert(1)</script>"
request_seconds=120      # a submission is flown again before the answer
port_attempts=5          # another program may take the free port before the server binds it

# [SECTION] The server

started=0
for _ in $(seq "$port_attempts"); do
  port=$(free_port)
  base="http://127.0.0.1:$port"
  if start_league "$league" "$work/league" "$port"; then started=1; break; fi
done
[ $started = 1 ] || fail "no free port could be listened on in $port_attempts attempts"
echo "league on $base"

# Submits a ranking entry to the open contest; prints the answer's flight id.
submit() {
  local entry=$1 pilot=$2 token=$3 claimed=$4
  python3 - "$entry" "$pilot" "$token" "$claimed" >"$work/request.json" <<'EOF' || fail "no request could be made of $entry"
import base64, json, sys
entry, pilot, token, claimed = sys.argv[1:]
with open(entry, "rb") as f:
    encoded = base64.b64encode(f.read()).decode("ascii")
print(json.dumps({"contest": "open", "pilot": pilot, "token": token, "entry": encoded, "claimed": float(claimed)}))
EOF
  local status
  status=$(curl -sS --max-time "$request_seconds" -o "$work/answer.json" -w '%{http_code}' \
    -H 'Content-Type: application/json' --data-binary @"$work/request.json" "$base/api/v1/flights") ||
    fail "the submission of $entry got no answer"
  case "$status" in
    200 | 201) ;;
    *) fail "the submission of $entry was answered $status: $(cat "$work/answer.json")" ;;
  esac
  python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["id"])' "$work/answer.json" ||
    fail "the answer has no flight id: $(cat "$work/answer.json")"
}

# The claimed distances are the ones the shipped ranking shows for these entries.
first_id=$(submit "$data/rank/rank0.txt" "$japanese_pilot" 0123456789abcdef0123456789abcdef 404.82)
submit "$data/rank/rank1.txt" "$html_pilot" fedcba9876543210fedcba9876543210 402.33 >/dev/null
echo "submitted; the first flight is $first_id"

# [SECTION] The browser

mkdir -p "$shots"
dump() { browser --dump-dom "$1" >"$2" || { tail -n 20 "$work/chromium.log"; fail "Chromium could not read $1"; }; }
screenshot() {
  rm -f "$1"
  browser --screenshot="$1" --window-size="$2" "$3" >/dev/null || { tail -n 20 "$work/chromium.log"; fail "no screenshot of $3"; }
  [ -s "$1" ] || fail "the screenshot $1 is empty"
}

dump "$base/" "$work/index.html"
# The open contest's section is the one whose heading links to its table.
open_rows=$(python3 - "$work/index.html" <<'EOF'
import re, sys
page = open(sys.argv[1], encoding="utf-8").read()
sections = [s for s in page.split("<section")[1:] if 'href="/contests/open"' in s.split("</h2>")[0]]
print(len(re.findall(r"<tr>\s*<td", sections[0].split("</section>")[0])) if sections else -1)
EOF
)
[ "$open_rows" = 2 ] || fail "the open contest shows $open_rows rows, not 2"
grep -qF "$japanese_pilot" "$work/index.html" || fail "the Japanese name is not on the page"
grep -qF '&lt;script&gt;alert(1)&lt;/script&gt;' "$work/index.html" || fail "the HTML name is not shown as text"
if grep -qi '<script' "$work/index.html"; then fail "the page holds a script element"; fi

dump "$base/flights/$first_id" "$work/flight.html"
grep -q '<svg' "$work/flight.html" || fail "the flight page has no drawing"
grep -qE '<polyline[^>]* points="[-0-9.]+,[-0-9.]+ [-0-9.]+,' "$work/flight.html" ||
  fail "the flight's drawing has no path"
grep -qF "$japanese_pilot" "$work/flight.html" || fail "the flight page does not name its pilot"

screenshot "$shots/league-index.png" 1024,900 "$base/"
screenshot "$shots/league-flight.png" 1024,900 "$base/flights/$first_id"
screenshot "$shots/league-index-phone.png" 360,740 "$base/"

# [SECTION] Stopping

stop_league

echo "PASS: both flights on the index, the HTML name as text, the flight's drawing; screenshots in $shots"
