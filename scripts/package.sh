#!/usr/bin/env bash
# Builds the Debian package build-package/vantorel_<version>_<arch>.deb from a Release
# build of its own (build/ is left alone), checks its launcher and AppStream file, and
# prints the package's path last.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build-package"

"$root/scripts/setup.sh" --packages-only
# dpkg-shlibdeps (dpkg-dev) and file, which CPack uses to find the programs it passes to it.
"$root/scripts/need-packages.sh" dpkg-dev file desktop-file-utils appstream

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release -DVANTOREL_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build "$out" -j"$(nproc)"
rm -f "$out"/vantorel_*.deb
(cd "$out" && cpack -G DEB)
deb=$(ls "$out"/vantorel_*.deb)

# What the package would install, checked as the desktop and software centres read it.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/vantorel.desktop"
grep -qx 'Exec=/usr/bin/vantorel %U' "$unpacked/usr/share/applications/vantorel.desktop"
metainfo=$(ls "$unpacked"/usr/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "$metainfo" >/dev/null
version=$(dpkg-deb -f "$deb" Version)
grep -q "<release version=\"${version%-*}\"" "$metainfo" \
  || { echo "$metainfo has no release ${version%-*}" >&2; exit 1; }

for field in Package Version Architecture Maintainer Section Depends Recommends Description; do
  echo "$field: $(dpkg-deb -f "$deb" "$field")"
done
echo "$deb"
