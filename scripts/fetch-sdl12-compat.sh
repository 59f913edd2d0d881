#!/usr/bin/env bash
# Unpacks Debian's sdl12-compat runtime (SDL 1.2's API on SDL2) into the
# folder given, so that the black-box tests can run the same binary on it
# through LD_LIBRARY_PATH; installing the package would replace classic
# SDL 1.2, which the build uses.
set -euo pipefail
dest="$1"
unpacked() { compgen -G "$dest/usr/lib/*/sdl12-compat/libSDL-1.2.so.0" >/dev/null; }
unpacked && exit 0

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
SUDO=()
[ "$(id -u)" -eq 0 ] || SUDO=(sudo)
if ! (cd "$work" && apt-get download -q libsdl1.2-compat >/dev/null 2>&1); then
    "${SUDO[@]}" apt-get update -qq
    (cd "$work" && apt-get download -q libsdl1.2-compat >/dev/null 2>&1)
fi
mkdir -p "$dest"
dpkg -x "$work"/libsdl1.2-compat_*.deb "$dest"
unpacked
