#!/usr/bin/env bash
# Builds Duruv and runs every test: the unit, GL and black-box tests on the
# system's SDL 1.2 and, where that is classic SDL 1.2, the black-box tests
# again on sdl12-compat; the Windows build under Wine, where the system has
# Wine (otherwise one skipped test says so); the web build's page in
# headless Chromium; the install checks on the Debian package and the
# Windows packages that ./package.sh builds, and that they and the web ZIP
# rebuild bit for bit; and the unit and GL tests once more built by
# clang++ under AddressSanitizer and UBSan. Both test builds treat compiler warnings
# as errors. Tests that need a screen get virtual X displays of their own.
# The last lines name the SDL 1.2 of each black-box suite, as the program
# loaded it, and sum up both builds' tests.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh build headless package windows web browser test
compat="$(tools/fetch-sdl12-compat.sh build-test/sdl12-compat)"
./package.sh deb >/dev/null
./package.sh windows >/dev/null
./package.sh web >/dev/null

cmake --preset test -DSDL12_COMPAT_ROOT="$compat"
cmake --build build-test -j"$(nproc)"
cmake --preset sanitize
cmake --build build-sanitize -j"$(nproc)"

# Runs the tests of a build folder on a virtual display; CTest writes their
# results to junit.xml there, and each black-box suite's session test which
# SDL 1.2 the program loaded to sdl-<suite>.txt.
failed=0
suite() {
    local dir=$1
    shift
    rm -f "$dir"/junit.xml "$dir"/sdl-*.txt
    build-test/python3 harness/display.py ctest --test-dir "$dir" --output-on-failure \
        --output-junit junit.xml "$@" || failed=1
}

suite build-test
suite build-sanitize --label-exclude "blackbox|install"
for report in build-test/sdl-*.txt; do
    [ -e "$report" ] && echo "The $(basename "$report" .txt | cut -c5-) suite ran $(cat "$report")"
done
build-test/python3 scripts/test-summary.py build-test/junit.xml build-sanitize/junit.xml
exit $failed
