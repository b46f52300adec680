#!/usr/bin/env bash
# Mail: a send to a loopback SMTP server that holds each reply for a second; the
# program's CPU time meanwhile and the time from the last reply to the close. No
# window system is needed: it runs on Qt's offscreen platform.
# The last line is "cpu_ms C" (see bench/README.md).
#
#   bench/mail/run.sh [--runs N] [--hold MS]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD_DIR:-$root/build}

# The program checks its own options.
# shellcheck source=../offscreen.sh
source "$here/../offscreen.sh"
run_offscreen bench_mail bench/mail/bench_mail "$@"
