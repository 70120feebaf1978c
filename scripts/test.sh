#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: unit tests directly,
# window, end-to-end and desktop tests on a virtual display (the desktop ones build the
# Debian package, check it with lintian, run the unpacked program and open links with it
# as default browser); then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, a short seeded run of each fuzz target, and the layout and
# static checks. Arguments go to the first ctest run only and skip the rest (a quick
# loop: scripts/test.sh -L unit).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
scripts/with-display.sh ctest --test-dir build --output-on-failure -j 2 "$@"
[ $# -eq 0 ] || exit 0

echo "== The suite under AddressSanitizer and UndefinedBehaviorSanitizer"
scripts/build.sh asan
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan --output-on-failure -j 2 -L unit
# The toolkit and the engine keep caches for the life of the process, which the leak
# checker would list; memory errors and undefined behaviour are still caught.
ASAN_OPTIONS=detect_leaks=0 scripts/with-display.sh \
  ctest --test-dir build-asan --output-on-failure -j 2 -L 'window|e2e'

echo "== Fuzz targets, short seeded runs"
[ -f build-fuzz/build.ninja ] ||
  cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build-fuzz -j "$(nproc)"
ctest --test-dir build-fuzz --output-on-failure -L fuzz

echo "== Layout and static checks"
scripts/check-style.sh
