#!/usr/bin/env bash
# Bookmark tree load: BookmarkStore::categories() and a tree built from it,
# against reading and parsing the same bookmark files once, for 10,000
# bookmarks in 100 categories and in one. No window system is needed: the
# tree is built on Qt's offscreen platform. The last line is
# "load_ms A B ratio R" (see bench/README.md).
#
#   bench/bookmarks/run.sh [--runs N]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=5
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    *) echo "usage: $0 [--runs N]" >&2; exit 1 ;;
  esac
done

# shellcheck source=../build.sh
source "$here/../build.sh"
bench_build bench_bookmarks

work=$(mktemp -d /tmp/bench-bookmarks.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config" "$work/data" "$work/cache" "$work/tmp"
mkdir -m 700 "$work/runtime"
HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp" \
  QT_QPA_PLATFORM=offscreen "$build/bench/bookmarks/bench_bookmarks" --runs "$runs"
