#!/usr/bin/env bash
# Runs a command on the current screen, or on a virtual one of its own when there is none.
#
# The virtual screen is started here rather than through xvfb-run, for two reasons:
# - Xvfb chooses a free display number itself (-displayfd), so two runs side by side
#   never pick the same number, nor end up on each other's server;
# - -noreset: by default Xvfb resets whenever its last client leaves, and a test that
#   connected during that reset failed at once with "cannot start the GUI".
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi
work=$(mktemp -d)
xvfb=
cleanup() {
  [ -z "$xvfb" ] || { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# Only local clients can reach it (no TCP), so it needs no cookie.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -noreset -nolisten tcp \
  3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 1 200); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
  sleep 0.05
done
[ -s "$work/display" ] || { echo "the virtual screen did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
unset XAUTHORITY
"$@"
