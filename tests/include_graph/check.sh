#!/usr/bin/env bash
# Checks the include graph of a source tree (default: this checkout): every layer
# includes only itself and the layers below it, and only the platform layer (with the
# programs' entry points that wire it up) includes window-system, graphics or
# operating-system headers. Prints each offending line; exits 1 if there is one.
#
#   app -> game -> sim -> (world, ranking, aircraft) -> flight -> platform
#   tools/* are programs over sim and below; they never include game or app.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$root"

# What each folder may include besides itself.
declare -A allowed=(
  [src/platform]="platform"
  [src/flight]="flight platform"
  [src/aircraft]="aircraft flight platform"
  [src/ranking]="ranking flight platform"
  [src/world]="world platform"
  [src/sim]="sim aircraft ranking flight platform"
  [src/game]="game sim world ranking aircraft flight platform"
  [src/app]="app game sim world ranking aircraft flight platform"
  [tools/config]="sim aircraft ranking flight platform"
  [tools/sim]="sim aircraft ranking flight platform"
  [tools/data]="sim aircraft ranking flight platform"
)
# System headers that belong to the platform layer alone.
system_headers='^#include <(SDL|GL/|EGL/|KHR/|unistd\.h|fcntl\.h|dlfcn\.h|pthread\.h|iconv\.h|ft2build\.h|fontconfig/|sys/|linux/|X11/)'
# The window and device implementations: only they, the entry points and the tools'
# mains reach them.
platform_backends='^#include "platform/(gl|sdl)/'

failures=0
report() {
  echo "include graph: $1"
  failures=$((failures + 1))
}

for folder in "${!allowed[@]}"; do
  [ -d "$folder" ] || continue
  while IFS= read -r -d '' file; do
    while IFS= read -r line; do
      target=${line#*\"}
      target=${target%%\"*}
      layer=${target%%/*}
      ok=0
      for a in ${allowed[$folder]}; do [ "$a" = "$layer" ] && ok=1; done
      [ $ok = 1 ] || report "$file includes $target ($folder may include: ${allowed[$folder]})"
    done < <(grep -hE '^#include "[a-z_]+/' "$file" || true)

    if [ "$folder" != src/platform ]; then
      while IFS= read -r line; do report "$file: $line (only src/platform talks to the system)"; done \
        < <(grep -hE "$system_headers" "$file" || true)
    fi
    case "$file" in
      src/platform/gl/* | src/platform/sdl/* | src/app/* | tools/*/main.cpp) ;;
      *) while IFS= read -r line; do report "$file: $line (the device and window are reached through interfaces)"; done \
           < <(grep -hE "$platform_backends" "$file" || true) ;;
    esac
  done < <(find "$folder" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
done

if [ $failures -gt 0 ]; then
  echo "include graph: $failures problem(s)"
  exit 1
fi
echo "include graph: clean"
