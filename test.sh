#!/usr/bin/env bash
# Builds Duruv and runs every test: the unit, GL and black-box tests on the
# system's SDL 1.2 and, where that is classic SDL 1.2, the black-box tests
# again on sdl12-compat; the install checks on the Debian package that
# ./package.sh builds; and the unit and GL tests once more built by clang++
# under AddressSanitizer and UBSan. Both test builds treat compiler warnings
# as errors. Tests that need a screen get virtual X displays of their own.
# The last line sums up both suites and names the SDL 1.2 of each black-box
# suite, as the program loaded it.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh build headless package test
compat="$(scripts/fetch-sdl12-compat.sh build-test/sdl12-compat)"
./package.sh >/dev/null

cmake -S . -B build-test -DBUILD_TESTING=ON -DDURUV_WERROR=ON -DSDL12_COMPAT_ROOT="$compat" \
      -DDURUV_PACKAGE_DIR="$PWD/build-package"
cmake --build build-test -j"$(nproc)"
cmake -S . -B build-sanitize -DBUILD_TESTING=ON -DCMAKE_BUILD_TYPE=Debug -DDURUV_SANITIZE=ON \
      -DDURUV_WERROR=ON -DCMAKE_CXX_COMPILER=clang++
cmake --build build-sanitize -j"$(nproc)"

# Runs the tests of a build folder on a virtual display, keeping CTest's
# output in the folder; the summary of a suite is "passed of total".
failed=0
suite() {
    local dir=$1
    shift
    build-test/python3 scripts/xsession.py ctest --test-dir "$dir" --output-on-failure "$@" \
        | tee "$dir/ctest.log" || failed=1
}
summary() {
    sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests failed out of \([0-9]*\)$/\1 \2/p' "$1/ctest.log" \
        | { read -r bad total && echo "$((total - bad)) of $total passed" || echo "did not finish"; }
}

suite build-test
suite build-sanitize --label-exclude "blackbox|install"
grep -oh "The [a-z0-9-]* suite ran .*" build-test/Testing/Temporary/LastTest.log || echo "No black-box suite said which SDL 1.2 it ran"
echo "test.sh: g++ build $(summary build-test); clang++ sanitizer build $(summary build-sanitize)" \
     "$([ $failed -eq 0 ] && echo "- all green" || echo "- FAILED")"
exit $failed
