#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test offscreen.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh"
cd "$root/build"
ctest --output-on-failure -j2 "$@"
