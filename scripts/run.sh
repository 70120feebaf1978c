#!/usr/bin/env bash
# Installs what is missing, builds and starts the browser. Without a screen it runs on a
# virtual display and writes a screenshot of the window a few seconds after start.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default --target zemora
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec build/zemora
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
  build/zemora &
  pid=$!
  sleep 6
  import -window root -crop 680x540+0+0 build/screenshot.png
  echo "Screenshot of the window: $PWD/build/screenshot.png (the browser runs on a virtual display; Ctrl+C ends it)"
  wait $pid'
