#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Duruv
# need, when any is missing (apt-get, through sudo when not root).
set -euo pipefail

PACKAGES=(cmake g++ make pkg-config libsdl1.2-dev libglu1-mesa-dev libgl-dev
          libgtest-dev xvfb xauth xdotool x11-utils imagemagick openbox wmctrl
          python3-xlib valgrind libsdl2-2.0-0 clang libclang-rt-dev)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=()
[ "$(id -u)" -eq 0 ] || SUDO=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
