#!/usr/bin/env bash
# Builds Duruv and plays it. Without a screen it plays on a virtual display
# and leaves snapshots of the window and an animated GIF in snapshots/.
#   ./run.sh web    builds the web Duruv and serves it on
#                   http://127.0.0.1:8000/ (or the next free port) until Ctrl+C
set -euo pipefail
cd "$(dirname "$0")"

if [ "${1:-}" = web ]; then
    zip="$(./package.sh web | tail -n 1)"
    rm -rf build-web/site
    mkdir -p build-web/site
    (cd build-web/site && cmake -E tar xf "$zip")
    exec python3 -m harness.serve build-web/site/"$(basename "$zip" .zip)"
fi

# The virtual display's tools only where there is no screen to play on.
tools/install-deps.sh build $([ -n "${DISPLAY:-}" ] || echo headless)
cmake --preset play >/dev/null
cmake --build --preset play -j"$(nproc)" >/dev/null

if [ -n "${DISPLAY:-}" ]; then
    exec build/duruv
fi
exec build/python3 -m scripts.headless-run build/duruv "snapshots/$(date +%Y%m%d-%H%M%S)"
