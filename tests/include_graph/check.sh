#!/usr/bin/env bash
# Checks the include graph of a source tree (default: this checkout): every layer
# includes only itself and the layers below it, and only the platform layer (with the
# programs' entry points that wire it up) includes window-system, graphics or
# operating-system headers. Prints each offending line; exits 1 if there is one.
#
#   app -> game -> sim -> (world, ranking, aircraft) -> flight -> platform
#   config -> sim and below: the configurator's logic, never game or app, never ImGui.
#   apps/velkaro-config draws config with ImGui; apps/velkaro-sim is the command line
#   over sim; tools/* are build-time programs over config and below. None includes game
#   or app. src/league (the league server) sits on config and sim; apps/velkaro-league
#   starts it.
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
  [src/app]="app game league sim world ranking aircraft flight platform"
  [src/config]="config sim aircraft ranking flight platform"
  # The configurator's league window checks the design against the league's contests
  # with the league's own rules and shows a league's top.
  [apps/velkaro-config]="config league sim aircraft ranking flight platform"
  [apps/velkaro-sim]="league sim aircraft ranking flight platform"
  [tools/data]="config sim aircraft ranking flight platform"
  [src/league]="league config sim aircraft ranking flight platform"
  [apps/velkaro-league]="league platform"
)
# System headers that belong to the platform layer alone.
system_headers='^#include <(SDL|GL/|EGL/|KHR/|unistd\.h|fcntl\.h|dlfcn\.h|pthread\.h|iconv\.h|ft2build\.h|fontconfig/|sys/|linux/|X11/)'
# The window and device implementations: only they, the entry points and the tools'
# mains reach them.
platform_backends='^#include "platform/(gl|sdl)/'
# Dear ImGui: the platform layer's window and the programs' screens draw with it; the
# logic under them does not.
imgui_headers='^#include [<"](imgui|imgui_[a-z_]+|backends/imgui_[a-z0-9_]+)\.h[>"]'

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
    case "$folder" in
      src/platform | apps/*) ;;
      *) while IFS= read -r line; do report "$file: $line (only src/platform and apps/ draw with ImGui)"; done \
           < <(grep -hE "$imgui_headers" "$file" || true) ;;
    esac
    case "$file" in
      src/platform/gl/* | src/platform/sdl/* | src/app/* | tools/*/main.cpp | apps/*/main.cpp) ;;
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
