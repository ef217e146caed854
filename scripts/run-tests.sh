#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the test suite in a normal
# build and under AddressSanitizer + UndefinedBehaviorSanitizer, then each fuzzer over
# its seed corpus for a short, bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELKARO_SANITIZE=ON -DVELKARO_BENCH=OFF >/dev/null
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ctest --output-on-failure -j "$jobs" -LE e2e)
# The end-to-end runs through real windows, for memory errors and undefined behaviour
# in the window and UI code; leaks are left to the tests above, since the system's
# libraries (D-Bus, fontconfig, Mesa) keep allocations until the process ends.
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -L e2e)

bash fuzz/run-fuzzers.sh "${VELKARO_FUZZ_SECONDS:-10}"
