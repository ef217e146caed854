#!/usr/bin/env bash
# Installs the Debian 12 packages velkaro needs to build, run and test (as root).
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libsdl2-dev libgl-dev libegl-dev libgl1-mesa-dri libimgui-dev libstb-dev
  libfreetype-dev libfontconfig-dev fonts-ipafont-gothic
  # the configurator's design report (PDF) and the tools its test reads it back with
  libcairo2-dev poppler-utils
  # the message catalogs (msgfmt builds them; the catalog test compares them with msgcmp)
  gettext
  xvfb xauth xdotool imagemagick x11-utils procps openbox
  desktop-file-utils appstream lintian dpkg-dev
  # velkaro-league: its libraries, the PostgreSQL server its tests start, the browser
  # its web page is tested in, and the clients its runs and backups use
  libcpp-httplib-dev nlohmann-json3-dev libcurl4-openssl-dev libsqlite3-dev libpq-dev libssl-dev
  postgresql-15 chromium curl sqlite3
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
