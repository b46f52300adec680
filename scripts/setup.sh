#!/usr/bin/env bash
# Shared by run.sh and test.sh: install what is missing, then build (Release) into build/.
# Arguments name the targets to build; none builds everything; --packages-only builds nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-webengine-dev qt6-webengine-dev-tools libqt6webenginecore6-bin libqt6sql6-sqlite
  qt6-svg-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev
  qtkeychain-qt6-dev libsecret-1-0 libglib2.0-dev
  fonts-noto-cjk fontconfig python3-fonttools
  xvfb xdotool python3 net-tools iputils-ping poppler-utils desktop-file-utils
  python3-aiosmtpd openssl dbus-daemon gnome-keyring
  # Only the fuzz targets (bench/fuzz, and their short runs in the tests) use clang and libFuzzer.
  clang libclang-rt-dev
)
"$root/scripts/need-packages.sh" "${packages[@]}"
[ "${1:-}" = --packages-only ] && exit 0

cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$root/build" -j"$(nproc)" "${targets[@]}"
