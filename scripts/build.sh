#!/usr/bin/env bash
# Configures (once) and builds one of the CMake presets: scripts/build.sh [preset] [cmake
# --build arguments]. The default preset builds into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=default
if [ $# -gt 0 ] && [[ "$1" != -* ]]; then preset=$1; shift; fi
dir=build
case "$preset" in asan) dir=build-asan ;; bench) dir=build-bench ;; esac
[ -f "$dir/build.ninja" ] || cmake --preset "$preset" >/dev/null
cmake --build "$dir" -j "$(nproc)" "$@"
