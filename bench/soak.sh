#!/usr/bin/env bash
# Long-session memory: runs the soak benchmark several times, each on a screen of its own,
# and prints the medians of its readings.
# Usage: bench/soak.sh [runs] [navigations] [ticks]   (after scripts/build.sh bench)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
navigations=${2:-1000}
ticks=${3:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for run in $(seq 1 "$runs"); do
  echo "run $run of $runs"
  scripts/with-display.sh build-bench/bench/zemora_soak "$navigations" "$ticks" >"$work/out" 2>"$work/err" || true
  grep -v '^RESULT' "$work/out" || true
  grep -v 'a11y bus' "$work/err" >&2 || true
  sed -n 's/^RESULT //p' "$work/out" >>"$work/results"
done
python3 - "$work/results" <<'PY'
import statistics, sys
rows = [list(map(int, line.split())) for line in open(sys.argv[1]) if line.strip()]
if not rows:
    sys.exit("no run finished")
m = [statistics.median(column) / 1024 for column in zip(*rows)]
print(f"\nmedians of {len(rows)} runs          warm-up        end   growth")
for name, warm, end in (("window process, PSS", m[0], m[2]), ("process tree, PSS", m[1], m[3]),
                        ("window process, private", m[4], m[6]), ("process tree, private", m[5], m[7])):
    print(f"{name:24} {warm:7.1f} MiB {end:6.1f} MiB {100 * (end - warm) / warm:+6.1f} %")
PY
