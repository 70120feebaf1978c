#!/usr/bin/env bash
# The house rules a compiler does not check: every C++ file of the program and its tests
# laid out as .clang-format says, and the program's code clean under the checks of
# .clang-tidy. Needs a configured build/ (for the compile commands): scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== Layout (clang-format)"
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format-14 --dry-run --Werror "${files[@]}"; then
  echo "Layout differs from .clang-format: clang-format-14 -i on the files above" >&2
  exit 1
fi

echo "== Checks (clang-tidy)"
# run-clang-tidy prints each file's command line; only findings are worth reading.
run-clang-tidy-14 -p build -quiet -j "$(nproc)" "$PWD/(base|favorites|browse|engine|app)/" \
  > build/clang-tidy.log 2>&1 || {
  grep -E -A3 "(warning|error):" build/clang-tidy.log >&2 || tail -40 build/clang-tidy.log >&2
  exit 1
}
