#!/usr/bin/env bash
# Whole-program start-up and memory: zemora against the floor (bench/bare_webview.cpp), both
# opening the start address answered by a local server. Needs root (a private mount namespace
# maps the start address's host to 127.0.0.1 without touching the machine's /etc/hosts).
# Usage: bench/startup.sh [runs]   (after scripts/build.sh with -DZEMORA_BENCH=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
exec unshare --mount bash -c '
  set -euo pipefail
  hosts=$(mktemp)
  { cat /etc/hosts; echo "127.0.0.1 www.baidu.com"; } > "$hosts"
  mount --bind "$hosts" /etc/hosts
  exec python3 bench/startup.py '"$runs"'
'
