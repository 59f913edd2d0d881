#!/usr/bin/env bash
# Builds a package of Duruv in a folder named for its kind, and prints the
# package's path on the last line.
#   ./package.sh [deb] [FOLDER]      the Debian package duruv_<version>_<arch>.deb
#                                    in FOLDER (build-deb by default): a release
#                                    build of its own with Debian's usual
#                                    hardening flags, the binary in /usr/games,
#                                    packed by CPack
#   ./package.sh windows [FOLDER]    the portable duruv-<version>-win64.zip and
#                                    the installer duruv-<version>-win64.exe in
#                                    FOLDER (build-windows by default), both on
#                                    the last line: cross-built with mingw-w64
#                                    against SDL 1.2 built from Debian's source,
#                                    packed by CPack and NSIS
#   ./package.sh web [FOLDER]        duruv-<version>-web.zip in FOLDER (build-web
#                                    by default): a folder any static web server
#                                    serves, built by Emscripten with GLU from
#                                    Debian's source, packed by CPack
# The same source gives the same bytes wherever and whenever it is built,
# with or without git: time stamps come from SOURCE_DATE_EPOCH, or unless it
# is set from the newest entry of data/changelog, as Debian's own builds take
# it; the build folder leaves no trace in what ships; the permissions of what
# is packed do not follow the builder's umask.
set -euo pipefail
cd "$(dirname "$0")"
umask 022
kind="${1:-deb}"
case "$kind" in
    deb|windows|web) ;;
    *) echo "usage: $0 [deb|windows|web] [FOLDER]" >&2; exit 2 ;;
esac
dir="$(realpath -m "${2:-build-$kind}")"
tools/install-deps.sh package
SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l data/changelog -S Timestamp)}"
export SOURCE_DATE_EPOCH

# What differs between the kinds: their tools, what their configuration
# (CMakePresets.json) is given on top, and the names of what they make.
given=()
case "$kind" in
windows)
    tools/install-deps.sh windows
    given=(-DDURUV_WINDOWS_SDL="$(tools/build-sdl-windows.sh "$dir/sdl")")
    made=("duruv-*-win64.zip" "duruv-*-win64.exe") ;;
web)
    tools/install-deps.sh web
    made=("duruv-*-web.zip") ;;
deb)
    tools/install-deps.sh build
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    given=(-DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS) -ffile-prefix-map=$dir=."
           -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)")
    made=("duruv_*.deb") ;;
esac

# The packages of the kind in the build folder.
packages() {
    local pattern found=()
    for pattern in "${made[@]}"; do found+=("$dir"/$pattern); done
    echo "${found[@]}"
}

mkdir -p "$dir"
cmake --preset "$kind" -B "$dir" "${given[@]}" >/dev/null 2>"$dir/configure.log" ||
    { cat "$dir/configure.log" >&2; exit 1; }
cmake --build "$dir" -j"$(nproc)" >/dev/null
rm -f $(packages)
(cd "$dir" && cpack >/dev/null)
[ "$kind" != windows ] || cmake --build "$dir" --target installer >/dev/null
packages
