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
# The end-to-end run needs no second pass: it drives the same code through a real window.
(cd build-sanitize && ctest --output-on-failure -j "$jobs" -LE e2e)

bash fuzz/run-fuzzers.sh "${VELKARO_FUZZ_SECONDS:-15}"
