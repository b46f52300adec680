#!/usr/bin/env bash
# Shared by run.sh and test.sh: install what is missing, then build (Release) into build/.
# Arguments name the targets to build; none builds everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-webengine-dev qt6-webengine-dev-tools libqt6webenginecore6-bin libqt6sql6-sqlite
  qt6-svg-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev
  qtkeychain-qt6-dev libsecret-1-0
  fonts-noto-cjk
  xvfb xdotool python3 net-tools iputils-ping poppler-utils desktop-file-utils
  python3-aiosmtpd openssl dbus-daemon gnome-keyring
  # Only the fuzz targets (bench/fuzz, and their short runs in the tests) use clang and libFuzzer.
  clang libclang-rt-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" = 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$root/build" -j"$(nproc)" "${targets[@]}"
