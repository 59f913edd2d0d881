#!/usr/bin/env bash
# Builds Duruv and plays it. Without a screen it plays on a virtual display
# and leaves snapshots of the window and an animated GIF in snapshots/.
set -euo pipefail
cd "$(dirname "$0")"

if [ -n "${DISPLAY:-}" ]; then
    scripts/install-deps.sh build
else
    scripts/install-deps.sh build headless
fi
cmake -S . -B build -DBUILD_TESTING=OFF -DDURUV_WERROR=OFF >/dev/null
cmake --build build -j"$(nproc)" >/dev/null

if [ -n "${DISPLAY:-}" ]; then
    exec build/duruv
fi
exec build/python3 scripts/headless-run.py build/duruv "snapshots/$(date +%Y%m%d-%H%M%S)"
