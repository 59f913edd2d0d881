#!/usr/bin/env bash
# Builds Duruv and plays it. Without a screen it plays on a virtual display
# and leaves snapshots of the window and an animated GIF in snapshots/.
set -euo pipefail
cd "$(dirname "$0")"

# The virtual display's tools only where there is no screen to play on.
tools/install-deps.sh build $([ -n "${DISPLAY:-}" ] || echo headless)
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" >/dev/null

if [ -n "${DISPLAY:-}" ]; then
    exec build/duruv
fi
exec build/python3 scripts/headless-run.py build/duruv "snapshots/$(date +%Y%m%d-%H%M%S)"
