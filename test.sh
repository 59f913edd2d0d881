#!/usr/bin/env bash
# Builds Duruv and runs every test: the unit, GL and black-box tests on the
# system's SDL 1.2 and, where that is classic SDL 1.2, the black-box tests
# again on sdl12-compat; the Windows build under Wine, where the system has
# Wine (otherwise its tests are skipped and say so); the web page in
# Chromium, Firefox and WebKitGTK; the install checks on the packages that
# ./package.sh builds, and that they rebuild bit for bit; the build
# configurations; and the unit and GL tests once more built by clang++ under
# AddressSanitizer and UBSan. Both test builds treat compiler warnings as
# errors; tests that need a screen get virtual X displays of their own. The
# last lines name the SDL 1.2 of each black-box suite, as the program loaded
# it, and sum up both builds' tests. `cmake --workflow --preset test` is the
# first of the two builds alone.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh build headless package windows web browser test
./package.sh deb >/dev/null
./package.sh windows >/dev/null
./package.sh web >/dev/null

# Each test configuration (CMakePresets.json) built and run; CTest writes
# their results to junit.xml in the build folder, and each black-box
# suite's session test which SDL 1.2 the program loaded to sdl-<suite>.txt.
rm -f build-test/sdl-*.txt
failed=0
for preset in test sanitize; do
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset -j"$(nproc)"
    ctest --preset $preset || failed=1
done
for report in build-test/sdl-*.txt; do
    [ -e "$report" ] && echo "The $(basename "$report" .txt | cut -c5-) suite ran $(cat "$report")"
done
python3 scripts/test-summary.py build-test/junit.xml build-sanitize/junit.xml
exit $failed
