#!/usr/bin/env bash
# A throwaway PostgreSQL 15 server for the league's tests, in a folder of its own.
#
#   postgres_server.sh start DIR   initdb into DIR/data, start the server on a Unix
#                                  socket in DIR/socket (no TCP), create the database
#                                  "league"; write DIR/postgres.pid and DIR/conninfo
#                                  and print the connection string
#   postgres_server.sh stop DIR    stop that server and remove DIR (nothing to do when
#                                  DIR is gone)
#
# PostgreSQL refuses to run as root, so when the tests run as root the server runs as
# the unprivileged system user velkaro-test (added when missing). The server listens
# on no TCP port: a system cluster that apt started on localhost:5432 is never in the
# way, nor is another test's server, since each socket lives in its own folder.
# Nothing here uses the system's postgresql service.
#
# Exit status: 0 done; 1 failed (with the reason and the server's log on stderr);
# 2 wrong command line; 77 when PostgreSQL 15 is not installed, so a test can pass it
# on as "skipped".
set -euo pipefail

pg_bin=/usr/lib/postgresql/15/bin
test_user=velkaro-test
db_user=velkaro
db_name=league
port=5432                # only names the socket file (.s.PGSQL.5432) in DIR/socket
ready_timeout_s=60       # initdb and start-up take a few seconds on a busy machine
stop_timeout_s=30        # a fast shutdown of a test database takes well under a second
socket_path_max=107      # sun_path holds 108 bytes with the terminating NUL
socket_file=.s.PGSQL.$port
marker=.velkaro-test-postgres  # stop removes only folders that hold this file

fail() { echo "postgres_server.sh: $*" >&2; exit 1; }
usage() { echo "usage: postgres_server.sh start|stop DIR" >&2; exit 2; }

(($# == 2)) || usage
action=$1
[ -n "$2" ] || usage
dir=$(realpath -m -- "$2")

# The caller's PGHOST, PGPORT, PGUSER, PGOPTIONS ... would steer the tools below
# elsewhere.
while read -r name; do unset "$name"; done < <(compgen -e | grep '^PG' || true)

# [SECTION] running as the server's user

as_user=()
if ((EUID == 0)); then as_user=(setpriv --reuid="$test_user" --regid="$test_user" --init-groups --); fi
as_server_user() { "${as_user[@]}" "$@"; }

ensure_test_user() {
  ((EUID == 0)) || return 0
  id -u "$test_user" >/dev/null 2>&1 && return 0
  # Tests started at the same moment would each add the user; the lock makes the
  # others wait and then find it.
  (
    flock 9
    id -u "$test_user" >/dev/null 2>&1 ||
      useradd --system --user-group --no-create-home --home-dir /nonexistent \
        --shell /usr/sbin/nologin --comment "velkaro tests' PostgreSQL" "$test_user"
  ) 9>/run/lock/velkaro-test-user.lock || fail "could not add the user $test_user"
}

# [SECTION] the server's process

# The postmaster's pid when it is the server of DIR: a pid written by an earlier run
# may since have been given to another process, which must not be signalled.
server_pid() {
  local pid=""
  [ -s "$dir/postgres.pid" ] && pid=$(head -n 1 "$dir/postgres.pid")
  [ -z "$pid" ] && [ -s "$dir/data/postmaster.pid" ] && pid=$(head -n 1 "$dir/data/postmaster.pid")
  [[ $pid =~ ^[0-9]+$ ]] || return 1
  running "$pid" || return 1
  tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF -- " -D $dir/data " || return 1
  echo "$pid"
}

# Whether a process still runs. The postmaster's parent (this script, started once)
# is gone, and where no init reaps orphans an exited server stays a zombie, which
# kill -0 still finds.
running() {  # pid
  local state
  state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 1
  [ -n "$state" ] && [ "$state" != Z ] && [ "$state" != X ]
}

wait_for_exit() {  # seconds pid...
  local deadline=$((SECONDS + $1)) pid
  shift
  for pid in "$@"; do
    while running "$pid"; do
      [ "$SECONDS" -lt "$deadline" ] || return 1
      sleep 0.1
    done
  done
}

stop_server() {
  local pid children
  pid=$(server_pid) || return 0
  # The backends, to be killed with the postmaster if it does not stop in time.
  mapfile -t children < <(pgrep -P "$pid" || true)
  kill -INT "$pid" 2>/dev/null || true  # SIGINT: fast shutdown, clients disconnected
  wait_for_exit "$stop_timeout_s" "$pid" && return 0
  echo "postgres_server.sh: the server did not stop within ${stop_timeout_s} s; killing it" >&2
  kill -KILL "$pid" "${children[@]}" 2>/dev/null || true
  wait_for_exit "$stop_timeout_s" "$pid" "${children[@]}" ||
    fail "the server (pid $pid) is still running after SIGKILL"
}

show_log() {
  echo "--- $dir/postgres.log:" >&2
  tail -n 40 "$dir/postgres.log" >&2 2>/dev/null || true
}

# [SECTION] start

start() {
  [ -x "$pg_bin/postgres" ] || {
    echo "SKIP: PostgreSQL 15 is not installed ($pg_bin/postgres; scripts/install-deps.sh installs it)" >&2
    exit 77
  }
  # The path goes into unix_socket_directories and the connection string unquoted.
  [[ $dir =~ ^[A-Za-z0-9/._+-]+$ ]] ||
    fail "$dir: use a folder whose path has only letters, digits and / . _ + -"
  local socket_path="$dir/socket/$socket_file"
  ((${#socket_path} <= socket_path_max)) ||
    fail "$dir is too long for a Unix socket path ($socket_path_max bytes at most for $socket_path); use a shorter folder"
  [ ! -e "$dir/data" ] || fail "$dir/data already exists: stop the server of before first"

  ensure_test_user
  # Every Debian system's root folder is searchable by all users. A root made by
  # mktemp (a chroot under /tmp, as a fresh-machine check builds) is not, and then no
  # unprivileged process can even load its libraries: make it searchable, as it would be.
  if ((EUID == 0)) && [ "$(( 0$(stat -c %a /) & 1 ))" = 0 ]; then
    echo "postgres_server.sh: the root folder was not searchable for other users; made it so (chmod o+x /)" >&2
    chmod o+x /
  fi
  mkdir -p -- "$dir"
  touch "$dir/$marker"
  # The server's user must be able to reach its folders.
  chmod 0755 "$dir"
  mkdir -m 0700 "$dir/data"
  mkdir -m 0700 "$dir/socket"
  if ((EUID == 0)); then
    chown "$test_user:$test_user" "$dir/data" "$dir/socket"
    as_server_user test -x "$dir/data" || {
      local blocked=$dir
      while [ "$blocked" != / ] && as_server_user test -x "$(dirname "$blocked")"; do blocked=$(dirname "$blocked"); done
      fail "$test_user cannot reach $dir: $(dirname "$blocked") is not searchable for others (chmod o+x, or use a folder under /tmp)"
    }
  fi

  # The server's working directory must be one its user may enter.
  cd "$dir"
  # -A trust: a client may connect as any user, so the socket's folder is open to the
  # server's user only (and root). --no-sync: nothing here needs to survive a power
  # failure.
  as_server_user "$pg_bin/initdb" -D "$dir/data" -A trust -U "$db_user" -E UTF8 --locale=C.UTF-8 \
    --no-sync --no-instructions >"$dir/initdb.log" 2>&1 ||
    { cat "$dir/initdb.log" >&2; fail "initdb failed"; }

  # fsync=off, for the same reason: a killed server still leaves its commits in the
  # page cache, which is all a test can observe. The server gets none of this script's
  # descriptors, so a caller reading the output through $(...) is not kept waiting
  # for it.
  (
    for fd in "/proc/$BASHPID/fd/"*; do
      fd=${fd##*/}
      if ((fd > 2)); then eval "exec $fd>&-"; fi
    done
    exec </dev/null >"$dir/postgres.log" 2>&1
    exec "${as_user[@]}" "$pg_bin/postgres" -D "$dir/data" -p "$port" -c listen_addresses= \
      -c unix_socket_directories="$dir/socket" -c fsync=off
  ) &
  local pid=$!

  local deadline=$((SECONDS + ready_timeout_s))
  until "$pg_bin/pg_isready" -q -h "$dir/socket" -p "$port" -U "$db_user" -d postgres; do
    if ! running "$pid"; then
      show_log
      fail "the server exited while starting"
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
      show_log
      stop_server
      kill -KILL "$pid" 2>/dev/null || true  # one that has not yet written its pid file
      fail "the server did not accept connections within ${ready_timeout_s} s"
    fi
    sleep 0.1
  done
  echo "$pid" >"$dir/postgres.pid"

  "$pg_bin/createdb" -h "$dir/socket" -p "$port" -U "$db_user" "$db_name" 2>"$dir/createdb.log" ||
    { cat "$dir/createdb.log" >&2; show_log; stop_server; fail "could not create the database $db_name"; }

  local conninfo="host=$dir/socket port=$port dbname=$db_name user=$db_user"
  echo "$conninfo" >"$dir/conninfo"
  echo "$conninfo"
}

# [SECTION] stop

stop() {
  [ -e "$dir" ] || return 0
  [ -e "$dir/$marker" ] || fail "$dir was not made by postgres_server.sh start; not removing it"
  stop_server
  rm -rf -- "$dir"
}

case $action in
  start) start ;;
  stop) stop ;;
  *) usage ;;
esac
