#!/usr/bin/env bash
# Installs what is missing, builds and starts Vantorel. Extra arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh" vantorel stage_data
if [ "$(id -u)" = 0 ]; then
  echo "Running as root: Chromium's sandbox is switched off for this run."
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
exec "$root/build/vantorel" "$@"
