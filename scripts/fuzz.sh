#!/usr/bin/env bash
# Long fuzzing run of one target:
#   scripts/fuzz.sh shortcut|ini|gate|address|download [seconds] (default 600).
# Builds the fuzz targets alone with clang into build-fuzz/ and keeps what the fuzzer
# learns in build-fuzz/corpus-<name>, so the next run carries on from there. Inputs that
# fail land in build-fuzz/artifacts-<name>/; copy them into fuzz/corpus/<name>/ once
# fixed, so the test suite's short run keeps trying them.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() { echo "usage: $0 shortcut|ini|gate|address|download [seconds]" >&2; exit 2; }
name=${1:-}
seconds=${2:-600}
case "$name" in
  shortcut) target=shortcut_reader_fuzz ;;
  ini) target=ini_writer_fuzz ;;
  gate) target=page_gate_fuzz ;;
  address) target=address_completion_fuzz ;;
  download) target=download_name_fuzz ;;
  *) usage ;;
esac
[[ "$seconds" =~ ^[0-9]+$ ]] || usage

compiler=${CXX_FUZZ:-clang++-14}
if ! command -v "$compiler" >/dev/null; then
  echo "Installing clang"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev >/dev/null
fi

[ -f build-fuzz/build.ninja ] ||
  cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER="$compiler" >/dev/null
cmake --build build-fuzz --target "$target"

corpus=build-fuzz/corpus-$name
artifacts=build-fuzz/artifacts-$name
mkdir -p "$corpus" "$artifacts"
# New inputs go into the first folder only; the seeds in the tree are just read.
exec "build-fuzz/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "fuzz/corpus/$name"
