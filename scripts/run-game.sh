#!/usr/bin/env bash
# Installs what is needed, builds the programs (in build-play/, so a developer's build/
# keeps its tests), and starts velkaro in ./play, a play folder filled from the bundled
# data with what it lacks: a player's ranking, design and exports there are kept.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-play -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKARO_TESTS=OFF -DVELKARO_BENCH=OFF >/dev/null
cmake --build build-play -j "$(nproc)" --target velkaro velkaro-config velkaro-sim
bash scripts/seed-play-folder.sh data play
cd play
exec ../build-play/bin/velkaro
