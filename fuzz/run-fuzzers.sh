#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each over its seed corpus for a bounded
# time, printing per target the executions it made and any fault it found (the input
# is kept in build-fuzz/artifacts/). Every target runs even when an earlier one fails;
# the exit status is 1 when any failed. Usage: fuzz/run-fuzzers.sh [SECONDS_PER_TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=build-fuzz
targets=(aircraft_file boot_config ranking_table entry_file x_file bmp wav plane_file config_open ranking_cycle flight_csv
  plot_range league_submission)
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELKARO_FUZZ=ON -DVELKARO_BENCH=OFF -DVELKARO_TESTS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]/%/_fuzz}"
mkdir -p "$build/artifacts"
# Some targets write and remove files on every input: their private working
# directories go in memory when nobody chose another place.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
failed=0
for target in "${targets[@]}"; do
  work=$(mktemp -d)
  cp fuzz/corpus/$target/* "$work"/
  log="$build/fuzz/$target.log"
  echo "== fuzzing $target for ${seconds}s"
  status=0
  "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-" "$work" >"$log" 2>&1 || status=$?
  grep -E '^#[0-9]+[[:space:]]+DONE|^stat::number_of_executed_units|^SUMMARY|^==[0-9]+==ERROR|Test unit written' "$log" || true
  if [ "$status" != 0 ]; then
    echo "!! $target failed (exit $status); the whole output is in $log"
    failed=1
  fi
  rm -rf "$work"
done
exit $failed
