#!/usr/bin/env bash
# Installs what is needed, builds, and starts velkaro in a fresh writable copy of the
# bundled data (./play), so the shipped files stay untouched.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKARO_TESTS=OFF -DVELKARO_BENCH=OFF >/dev/null
cmake --build build -j "$(nproc)"
rm -rf play && cp -r data play
cd play
if [ -x ../build/bin/velkaro ]; then
  exec ../build/bin/velkaro
fi
# Until the game window is built, fly the default aircraft headless.
exec ../build/tools/sim/velkaro-sim temp.txt
