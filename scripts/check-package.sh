#!/usr/bin/env bash
# As root on Debian 12: builds the Debian package, installs it with apt-get (which pulls
# in only what it depends on), and plays the installed game end to end from a home
# folder under Xvfb. Leaves the package installed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKARO_TESTS=OFF -DVELKARO_BENCH=OFF >/dev/null
cmake --build build-package -j "$(nproc)"
rm -f build-package/velkaro_*.deb
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls "$PWD"/build-package/velkaro_*.deb)
export DEBIAN_FRONTEND=noninteractive
apt-get install -y --no-install-recommends "$deb"
dpkg -L velkaro | grep -E '/games/|\.desktop$|metainfo|man6' 
# Every manual page is installed in English and in Japanese, names itself in its NAME
# line (what whatis and apropos show) and is formatted without any of groff's warnings.
for page in velkaro velkaro-config velkaro-sim velkaro-league; do
  for file in /usr/share/man/man6/$page.6.gz /usr/share/man/ja/man6/$page.6.gz; do
    dpkg -L velkaro | grep -qxF "$file" || { echo "not in the package: $file" >&2; exit 1; }
    lexgrog "$file" | grep -qF "\"$page - " || { echo "no NAME line in $file" >&2; exit 1; }
    warnings=$(MANWIDTH=80 man --warnings=w -l "$file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$file: $warnings" >&2; exit 1; }
  done
done
lintian --display-info "$deb" || true
bash tests/e2e/package_e2e.sh build-package "$PWD/build-package/e2e-screenshots" /usr
