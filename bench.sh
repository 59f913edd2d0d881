#!/usr/bin/env bash
# Measures the cost of a frame against the floor of clear-and-swap frames,
# start-up time, peak memory and allocations (see README, "Performance"),
# then the web build's figures in each browser engine beside them. Runs on a
# virtual display when there is no screen.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh build headless web browser
cmake --preset play >/dev/null
cmake --build --preset bench -j"$(nproc)" >/dev/null

# The program's own objects, as CMake lists them, must not call the allocator.
mapfile -t own < build/duruv-objects.txt
if nm -C --undefined-only "${own[@]}" | grep -Eq ' (malloc|calloc|realloc|operator new)'; then
    echo "the program's own code calls the allocator:" >&2
    nm -C -A --undefined-only "${own[@]}" | grep -E ' (malloc|calloc|realloc|operator new)' >&2
    exit 1
fi
echo "The program's own code references no allocator (checked with nm)."

if [ -n "${DISPLAY:-}" ]; then
    build/duruv_bench
else
    build/python3 -m harness.display build/duruv_bench
fi
build/python3 -m bench.web "$(./package.sh web | tail -n 1)"
