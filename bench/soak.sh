#!/usr/bin/env bash
# Long-session memory: runs the soak benchmark several times, zemora and the floor (the
# bare engine window through the same session) side by side in each run, each on a screen
# of its own, and prints the medians of their readings.
# Usage: bench/soak.sh [runs] [navigations] [ticks]   (after scripts/build.sh bench)
# SOAK_APART=1 runs the two one after the other instead (slower; PSS then counts the
# shared libraries among fewer processes, so only compare within one mode).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
navigations=${2:-1000}
ticks=${3:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
soak() { # name, arguments...
  local name=$1; shift
  scripts/with-display.sh "${SOAK_BIN:-build-bench/bench/zemora_soak}" "$@" "$navigations" "$ticks" >"$work/$name.out" 2>"$work/$name.err" || true
}
for run in $(seq 1 "$runs"); do
  echo "run $run of $runs"
  if [ -n "${SOAK_APART:-}" ]; then
    soak floor --floor
    soak zemora
  else
    soak floor --floor &
    soak zemora
    wait
  fi
  for name in zemora floor; do
    echo "-- $name"
    grep -v '^RESULT' "$work/$name.out" || true
    grep -v 'a11y bus' "$work/$name.err" >&2 || true
    sed -n 's/^RESULT //p' "$work/$name.out" >>"$work/$name.results"
  done
done
python3 - "$work/zemora.results" "$work/floor.results" <<'PY'
import statistics, sys
def medians(path):
    try:
        rows = [list(map(float, line.split())) for line in open(path) if line.strip()]
    except OSError:
        rows = []
    if not rows:
        sys.exit(f"no run of {path} finished")
    return len(rows), [statistics.median(column) for column in zip(*rows)]
n, z = medians(sys.argv[1])
_, f = medians(sys.argv[2])
growth = lambda m, a, b: 100 * (m[b] - m[a]) / m[a]
print(f"\nmedians of {n} runs           zemora: warm-up    end  growth | floor: warm-up    end  growth")
for name, a, b in (("window process, PSS", 0, 2), ("process tree, PSS", 1, 3),
                   ("window process, private", 4, 6), ("process tree, private", 5, 7)):
    print(f"{name:24} {z[a]/1024:13.1f} {z[b]/1024:6.1f} {growth(z, a, b):+6.1f} % |"
          f" {f[a]/1024:12.1f} {f[b]/1024:6.1f} {growth(f, a, b):+6.1f} %")
print(f"{'back step, ms':24} {z[8]:21.0f}         | {f[8]:19.0f}")
print(f"{'lost loads':24} {z[9]:21.0f}         | {f[9]:19.0f}")
PY
