#!/usr/bin/env bash
# Page load over HTTP/2 against HTTP/1.1: zemora and the bare floor load a page of 150
# slow images from nginx over TLS, once on a port that speaks h2 and once on one that
# speaks only HTTP/1.1. Needs root: a private mount namespace gives the test host name
# and a bundle that trusts the test CA, without touching the machine's own files.
# Usage: bench/http2.sh [runs]   (after scripts/build.sh bench)
# BENCH_ENV="NAME=value ..." is set for both programs, as in bench/startup.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
# A real HTTP/2 server from the archive, and its module that answers late.
for p in nginx-light libnginx-mod-http-echo curl; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p" >/dev/null
done
exec unshare --mount python3 bench/http2.py "$runs"
