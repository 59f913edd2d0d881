#!/usr/bin/env bash
# Builds Duruv and runs every test: the unit, GL and black-box tests on
# classic SDL 1.2, the black-box tests again on sdl12-compat, and the unit
# and GL tests once more built by clang++ under AddressSanitizer and UBSan.
# Both builds treat compiler warnings as errors. Tests that need a screen
# get virtual X displays of their own. The last line sums up both suites.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh build headless package test
scripts/fetch-sdl12-compat.sh build/sdl12-compat

cmake -S . -B build -DBUILD_TESTING=ON -DDURUV_WERROR=ON -DSDL12_COMPAT_ROOT="$PWD/build/sdl12-compat"
cmake --build build -j"$(nproc)"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DDURUV_SANITIZE=ON -DDURUV_WERROR=ON \
      -DCMAKE_CXX_COMPILER=clang++
cmake --build build-sanitize -j"$(nproc)"

# Runs the tests of a build folder on a virtual display, keeping CTest's
# output in the folder; the summary of a suite is "passed of total".
failed=0
suite() {
    local dir=$1
    shift
    build/python3 scripts/xsession.py ctest --test-dir "$dir" --output-on-failure "$@" \
        | tee "$dir/ctest.log" || failed=1
}
summary() {
    sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests failed out of \([0-9]*\)$/\1 \2/p' "$1/ctest.log" \
        | { read -r bad total && echo "$((total - bad)) of $total passed" || echo "did not finish"; }
}

suite build
suite build-sanitize --label-exclude "blackbox|install"
echo "test.sh: g++ build $(summary build); clang++ sanitizer build $(summary build-sanitize)" \
     "$([ $failed -eq 0 ] && echo "- all green" || echo "- FAILED")"
exit $failed
