#!/usr/bin/env bash
# Bookmark tree load: BookmarkStore::categories() and a tree built from it,
# against reading and parsing the same bookmark files once, for 10,000
# bookmarks in 100 categories and in one; and exporting them as shortcut
# files against a bare loop writing the same files. No window system is
# needed: the tree is built on Qt's offscreen platform. The last line is
# "load_ms A B ratio R export_ratio E" (see bench/README.md).
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

# shellcheck source=../offscreen.sh
source "$here/../offscreen.sh"
run_offscreen bench_bookmarks bench/bookmarks/bench_bookmarks --runs "$runs"
