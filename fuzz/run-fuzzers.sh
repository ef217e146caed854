#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each over its seed corpus for a bounded
# time. Usage: fuzz/run-fuzzers.sh [SECONDS_PER_TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELKARO_FUZZ=ON -DVELKARO_BENCH=OFF -DVELKARO_TESTS=OFF >/dev/null
cmake --build "$build" --target aircraft_file_fuzz boot_config_fuzz ranking_table_fuzz entry_file_fuzz x_file_fuzz bmp_fuzz
for target in aircraft_file boot_config ranking_table entry_file x_file bmp; do
  work=$(mktemp -d)
  cp fuzz/corpus/$target/* "$work"/
  echo "== fuzzing $target for ${seconds}s"
  "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 "$work" 2>&1 | tail -n 3
  rm -rf "$work"
done
