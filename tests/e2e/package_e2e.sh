#!/usr/bin/env bash
# End to end under Xvfb for the Debian package: the game as a player gets it, started
# from the home folder (as a desktop menu starts it), shows its first picture, fills
# ~/.local/share/velkaro from the installed copy, registers a flight and keeps the
# ranking there; nothing is written into the home folder itself.
# Usage: package_e2e.sh BUILD_DIR SCREENSHOT_DIR [PREFIX]
#   Without PREFIX the package is made from BUILD_DIR with cpack, checked by lintian,
#   and unpacked into the work folder (no root needed); with PREFIX (/usr after
#   `apt-get install ./velkaro_*.deb`) the installed game is run.
# Exits 77 (skipped) when Xvfb, xdotool, ImageMagick or dpkg-deb is missing.
build=$1 shots=$2 prefix=${3:-}
e2e_tools="import dpkg-deb"
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/register_flight.sh"
mkdir -p "$shots"

if [ -z "$prefix" ]; then
  (cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
  deb=$(ls "$work"/package/velkaro_*_*.deb)
  echo "package: $(basename "$deb")"
  dpkg-deb -f "$deb" Depends
  if command -v lintian >/dev/null; then
    # Findings are printed; an error fails the run.
    lintian --fail-on error --display-info "$deb" || fail "lintian found errors"
  fi
  dpkg-deb -x "$deb" "$work/root"
  prefix="$work/root/usr"
fi
game="$prefix/games/velkaro"
[ -x "$game" ] || fail "no game at $game"
"$game" --version | grep -q '^velkaro [0-9]' || fail "--version does not answer"

export HOME="$work/home"
unset XDG_DATA_HOME
mkdir -p "$HOME"
players="$HOME/.local/share/velkaro"
(cd "$HOME" && "$game" --help) | grep -qF "$players" || fail "--help does not name the player's folder $players"

# First start: the player's folder is filled and the start picture drawn.
start_game "$HOME" "$work/game.log"
import -window "$window" "$shots/package-1-first-start.png"
colours=$(convert "$shots/package-1-first-start.png" -format '%k' info:)
[ "$colours" -gt 1000 ] || fail "the first picture has only $colours colours"
grep -q . "$work/game.log" && { cat "$work/game.log"; fail "the game warned at start-up"; }
stop_game
for file in BootConfig.txt temp.txt plane.txt rank/Ranking.txt rank/rank9.txt image/wave.bmp model/pilot.x; do
  [ -f "$players/$file" ] || fail "$file was not copied into $players"
done

# Second start, with a quick design and an empty ranking: a flight is registered.
make_quick_flight "$players"
start_game "$HOME" "$work/game.log"
register_flight "$players" "$shots" package-
stop_game
head -c 4 "$players/rank/Ranking.txt" | grep -q '^e2e,' || fail "the ranking in $players lost the flight"
# Besides its folder under .local, only the sound system's client library may leave
# its own folder (.config/pulse, as for any program that plays sound).
leftovers=$(cd "$HOME" && ls -A | grep -v '^\.local$' | grep -v '^\.config$' || true)
if [ -d "$HOME/.config" ]; then
  leftovers+=$(cd "$HOME/.config" && ls -A | grep -v '^pulse$' || true)
fi
[ -z "$leftovers" ] || fail "the game wrote into the home folder: $leftovers"
echo "PASS: the packaged game ran from the home folder and keeps its ranking in $players"
