#!/usr/bin/env bash
# Builds the Debian package into build-package/ (no tests, installed under /usr,
# compiled with Debian's hardening flags) and prints the path of the .deb it wrote.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
out="$top/build-package"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$top" -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$out" -j"$(nproc)" >&2
rm -f "$out"/lexoria_*.deb
(cd "$out" && cpack -G DEB >&2)
ls "$out"/lexoria_*.deb
