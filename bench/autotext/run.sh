#!/usr/bin/env bash
# Auto-text typing: sendKeys into a local page (a 254-byte line into a
# textarea, and 20 fields separated by {TAB}) against one script setting the
# same text. No window system is needed: it runs on Qt's offscreen platform.
# The last line is "ratio R" (see bench/README.md).
#
#   bench/autotext/run.sh [--runs N] [--fields N]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD_DIR:-$root/build}

# The program checks its own options.
# shellcheck source=../offscreen.sh
source "$here/../offscreen.sh"
run_offscreen bench_autotext bench/autotext/bench_autotext "$@"
