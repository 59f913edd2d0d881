#!/usr/bin/env bash
# Builds the packages and prints their paths.
#   ./package.sh [FOLDER]    the Debian package duruv_<version>_<arch>.deb in
#                            FOLDER (build-package by default): a release build
#                            of its own with Debian's usual hardening flags, the
#                            binary in /usr/games, packed by CPack
#   ./package.sh windows     duruv-<version>-win64.zip and the installer
#                            duruv-<version>-win64.exe in build-windows:
#                            cross-built with mingw-w64 against SDL 1.2 built
#                            from Debian's source, packed by CPack and NSIS
# The same source gives the same bytes wherever and whenever it is built,
# with or without git: time stamps come from SOURCE_DATE_EPOCH, or unless it
# is set from the newest entry of data/changelog, as Debian's own builds take
# it; the build folder leaves no trace in what ships; the permissions of what
# is packed do not follow the builder's umask.
set -euo pipefail
cd "$(dirname "$0")"
umask 022
scripts/install-deps.sh package
SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l data/changelog -S Timestamp)}"
export SOURCE_DATE_EPOCH

if [ "${1:-}" = windows ]; then
    scripts/install-deps.sh windows
    sdl="$(scripts/build-sdl-windows.sh build-windows/sdl)"
    cmake -S . -B build-windows --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
          -DDURUV_WINDOWS_SDL="$sdl" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build-windows -j"$(nproc)" >/dev/null
    rm -f build-windows/duruv-*-win64.*
    (cd build-windows && cpack >/dev/null)
    cmake --build build-windows --target installer >/dev/null
    ls "$PWD"/build-windows/duruv-*-win64.zip "$PWD"/build-windows/duruv-*-win64.exe
    exit 0
fi

dir="${1:-build-package}"
scripts/install-deps.sh build
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
mkdir -p "$dir"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=None \
      -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS) -ffile-prefix-map=$(realpath "$dir")=." \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$dir" -j"$(nproc)" >/dev/null
rm -f "$dir"/duruv_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/duruv_*.deb
