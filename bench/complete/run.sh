#!/usr/bin/env bash
# Address completion: what an address box suggests for a two-character prefix
# over 10,000 bookmarks and 10,000 visited pages, Chinese and Latin. No window
# system is needed (Qt's offscreen platform). The last line is "median_ms M"
# (see bench/README.md).
#
#   bench/complete/run.sh [--runs N]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=21
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    *) echo "usage: $0 [--runs N]" >&2; exit 1 ;;
  esac
done

# shellcheck source=../offscreen.sh
source "$here/../offscreen.sh"
run_offscreen bench_complete bench/complete/bench_complete --runs "$runs"
