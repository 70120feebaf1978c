#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: unit tests directly,
# window and end-to-end tests on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
scripts/with-display.sh ctest --test-dir build --output-on-failure -j 2 "$@"
