#!/usr/bin/env bash
# Installs the Debian packages that the purposes given need, when any is
# missing (apt-get, through sudo when not root):
#   build     compile Duruv and play it on a display
#   headless  play it on a virtual display when there is none
#   package   build the Debian package (./package.sh)
#   windows   build Duruv for Windows and its packages (./package.sh windows)
#   test      the rest that ./test.sh needs, Wine among it
set -euo pipefail

declare -A NEEDS=(
    [build]="cmake g++ make pkg-config libsdl1.2-dev libglu1-mesa-dev libgl-dev"
    [headless]="xvfb openbox python3-xlib imagemagick xdotool"
    [package]="dpkg-dev file"
    [windows]="cmake make pkg-config g++-mingw-w64-x86-64 dpkg-dev nsis icoutils"
    [test]="libgtest-dev valgrind libsdl2-2.0-0 clang libclang-rt-dev
            desktop-file-utils appstream lintian man-db weston wine64 diffoscope-minimal"
)

missing=()
for purpose in "$@"; do
    [ -n "${NEEDS[$purpose]:-}" ] || { echo "install-deps.sh: no purpose '$purpose'" >&2; exit 2; }
    for p in ${NEEDS[$purpose]}; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=()
[ "$(id -u)" -eq 0 ] || SUDO=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq || { echo "install-deps.sh: apt-get update failed" >&2; exit 1; }
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
    { echo "install-deps.sh: apt-get could not install: ${missing[*]}" >&2; exit 1; }
