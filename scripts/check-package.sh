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
lintian --display-info "$deb" || true
bash tests/e2e/package_e2e.sh build-package "$PWD/build-package/e2e-screenshots" /usr
