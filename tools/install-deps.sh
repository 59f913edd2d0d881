#!/usr/bin/env bash
# Installs the Debian packages that the purposes given need, when any is
# missing (apt-get, through sudo when not root):
#   build     compile Duruv and play it on a display
#   headless  play it on a virtual display when there is none
#   package   build the Debian package (./package.sh deb)
#   windows   build Duruv for Windows and its packages (./package.sh windows)
#   web       build Duruv for the browser and its ZIP (./package.sh web)
#   browser   play the page in Chromium, Firefox and WebKitGTK (./test.sh)
#   test      the rest that ./test.sh needs, Wine among it
#   chroot    make clean Debian systems (scripts/test-in-chroot.sh)
# Releases name some packages differently: "a|b" takes the first name the
# release has. A trailing "?" marks a package that a release may lack
# altogether (Debian 14 has no Wine for now): it is then left out, and said so.
set -euo pipefail

declare -A NEEDS=(
    [build]="cmake g++ make pkg-config libsdl1.2-dev libglu1-mesa-dev libgl-dev libx11-dev"
    [headless]="xvfb openbox python3-xlib imagemagick xdotool"
    [package]="dpkg-dev file"
    [windows]="cmake make pkg-config g++-mingw-w64-x86-64 dpkg-dev nsis icoutils"
    [web]="cmake make emscripten"
    [browser]="chromium python3-websocket firefox-esr? webkit2gtk-driver|webkitgtk-webdriver? python3-selenium"
    [test]="libgtest-dev valgrind libsdl2-2.0-0 clang libclang-rt-dev
            desktop-file-utils appstream lintian man-db weston wine64|wine? diffoscope-minimal"
    [chroot]="mmdebstrap"
)

# grep reads all its input: a reader that stops early ends the writer by
# SIGPIPE, and pipefail would take that for "no".
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep "ok installed" >/dev/null; }
candidate() { apt-cache policy "$1" 2>/dev/null | grep "Candidate: [^(]" >/dev/null; }

missing=()
for purpose in "$@"; do
    [ -n "${NEEDS[$purpose]:-}" ] || { echo "install-deps.sh: no purpose '$purpose'" >&2; exit 2; }
    for entry in ${NEEDS[$purpose]}; do
        found=
        for name in ${entry//|/ }; do installed "${name%\?}" && found=1; done
        [ -n "$found" ] || missing+=("$entry")
    done
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=()
[ "$(id -u)" -eq 0 ] || SUDO=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq || { echo "install-deps.sh: apt-get update failed" >&2; exit 1; }

# Each missing entry as the name this release has.
names=()
release="Debian $(. /etc/os-release && echo "${VERSION_CODENAME:-$ID}")"
for entry in "${missing[@]}"; do
    chosen=
    for name in ${entry//|/ }; do
        candidate "${name%\?}" && { chosen=${name%\?}; break; }
    done
    if [ -n "$chosen" ]; then
        names+=("$chosen")
    elif [ "${entry%\?}" != "$entry" ]; then
        echo "install-deps.sh: $release has no package ${entry%\?}: left out" >&2
    else
        echo "install-deps.sh: $release has no package $entry" >&2
        exit 1
    fi
done
[ ${#names[@]} -eq 0 ] && exit 0
echo "Installing: ${names[*]}"
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${names[@]}" >/dev/null ||
    { echo "install-deps.sh: apt-get could not install: ${names[*]}" >&2; exit 1; }
