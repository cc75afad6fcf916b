#!/usr/bin/env bash
# Builds the game as Debian builds its packages (Release, the distribution's hardening
# flags, warnings as errors), packs it, and checks the package. With CI=true it also
# installs the package on this machine, starts the installed game and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-release
# Only the game goes into the package: the tests and benchmarks are not built for it, and
# the game's files are compiled a few at a time, as to play.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUINDRA_WERROR=ON \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" -DCMAKE_UNITY_BUILD=ON \
  -DQUINDRA_BENCH=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target quindra
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/quindra_*.deb)
echo "package: $deb ($(stat -c %s "$deb") bytes)"

fail() { echo "package check failed: $*" >&2; exit 1; }
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quindra ] || fail "name"
[ "$(field Section)" = games ] || fail "section"
[ -n "$(field Maintainer)" ] || fail "maintainer"
field Depends | grep -q 'libqt6widgets6' || fail "dependencies: $(field Depends)"
field Recommends | grep -q 'qt6-wayland' || fail "recommends: $(field Recommends)"
id=io.github.quindra.quindra
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/quindra ./usr/share/applications/$id.desktop \
         ./usr/share/metainfo/$id.metainfo.xml ./usr/share/doc/quindra/copyright \
         ./usr/share/icons/hicolor/scalable/apps/$id.svg \
         ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$id.png; do
  grep -qx "$f" <<<"$files" || fail "missing $f"
done
echo "depends: $(field Depends)"
echo "recommends: $(field Recommends)"

[ "${CI:-}" = true ] || { echo "package checked (set CI=true to install it here too)"; exit 0; }

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
[ "$(command -v quindra)" = /usr/bin/quindra ] || fail "not installed on the path"
status=0
QT_QPA_PLATFORM=offscreen timeout 3 quindra || status=$?
[ "$status" -eq 124 ] || fail "the installed game did not keep running (status $status)"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq quindra >/dev/null
[ ! -e /usr/bin/quindra ] && [ ! -e /usr/share/applications/$id.desktop ] ||
  fail "files left after removal"
echo "package installed, started and removed"
