# Shared by the benchmarks that need no window system: builds a target, then runs
# it on Qt's offscreen platform with private HOME, XDG folders and TMPDIR.
# Source it after setting $here and $build.
#   run_offscreen <target> <program, relative to the build folder> [arguments...]
# shellcheck source=build.sh
source "$here/../build.sh"

run_offscreen() {
  local target=$1 program=$2
  shift 2
  bench_build "$target"
  work=$(mktemp -d "/tmp/$target.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/home" "$work/config" "$work/data" "$work/cache" "$work/tmp"
  mkdir -m 700 "$work/runtime"
  [ "$(id -u)" = 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
  HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp" \
    QT_QPA_PLATFORM=offscreen QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu \
    "$build/$program" "$@"
}
