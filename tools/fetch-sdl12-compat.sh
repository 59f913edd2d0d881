#!/usr/bin/env bash
# Where the system's SDL 1.2 is the classic one (Debian 12), unpacks
# Debian's sdl12-compat runtime (SDL 1.2's API on SDL2) into the folder
# given, so that the black-box tests can run the same binary on it through
# LD_LIBRARY_PATH, and prints that folder; installing the package would
# replace classic SDL 1.2, which the build uses. Where the system's SDL 1.2
# already is sdl12-compat (Debian 13 and later), there is no other to run:
# it says so on standard error and prints nothing.
set -euo pipefail
dest="$1"

source="$(dpkg-query -W -f='${source:Package}' libsdl1.2debian 2>/dev/null || true)"
if [ "$source" != "libsdl1.2" ]; then
    echo "fetch-sdl12-compat.sh: the system's SDL 1.2 comes from '${source:-no package}':" \
         "no classic SDL 1.2 to set sdl12-compat beside" >&2
    exit 0
fi

unpacked() { compgen -G "$dest/usr/lib/*/sdl12-compat/libSDL-1.2.so.0" >/dev/null; }
if ! unpacked; then
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
    SUDO=()
    [ "$(id -u)" -eq 0 ] || SUDO=(sudo)
    if ! (cd "$work" && apt-get download -q libsdl1.2-compat >/dev/null 2>&1); then
        "${SUDO[@]}" apt-get update -qq
        (cd "$work" && apt-get download -q libsdl1.2-compat >/dev/null) ||
            { echo "fetch-sdl12-compat.sh: cannot download libsdl1.2-compat" >&2; exit 1; }
    fi
    mkdir -p "$dest"
    dpkg -x "$work"/libsdl1.2-compat_*.deb "$dest"
    unpacked || { echo "fetch-sdl12-compat.sh: libsdl1.2-compat holds no libSDL-1.2.so.0" >&2; exit 1; }
fi
realpath "$dest"
