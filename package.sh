#!/usr/bin/env bash
# Builds the Debian package duruv_<version>_<arch>.deb in the folder given
# (build-package by default): a release build of its own with Debian's
# usual hardening flags, the binary in /usr/games, packed by CPack.
set -euo pipefail
cd "$(dirname "$0")"
dir="${1:-build-package}"

scripts/install-deps.sh build package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=None \
      -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$dir" -j"$(nproc)" >/dev/null
rm -f "$dir"/duruv_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/duruv_*.deb
