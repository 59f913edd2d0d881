#!/usr/bin/env bash
# Builds Duruv and runs every test: the unit, GL and black-box tests on
# classic SDL 1.2, the black-box tests again on sdl12-compat, and the unit
# and GL tests once more built by clang++ under AddressSanitizer and UBSan.
# Both builds treat compiler warnings as errors. Tests that need a screen
# get virtual X displays of their own.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
scripts/fetch-sdl12-compat.sh build/sdl12-compat
XVFB=(xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset")

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDURUV_WERROR=ON \
      -DSDL12_COMPAT_LIB="$PWD/build/sdl12-compat/usr/lib/x86_64-linux-gnu/sdl12-compat"
cmake --build build -j"$(nproc)"
"${XVFB[@]}" ctest --test-dir build --output-on-failure

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DDURUV_SANITIZE=ON -DDURUV_WERROR=ON \
      -DCMAKE_CXX_COMPILER=clang++
cmake --build build-sanitize -j"$(nproc)"
"${XVFB[@]}" ctest --test-dir build-sanitize --output-on-failure --label-exclude blackbox
