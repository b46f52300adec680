# Shared by the benchmark scripts: installs what benchmarks need beyond the program
# (an X server and the X11 headers of the title poller), then configures build/ with
# the benchmarks and builds the targets given. Source it after setting $root.
bench_build() {
  local build=${BUILD_DIR:-$root/build} missing=() p
  for p in xvfb libx11-dev libxtst-dev python3; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    local sudo=""
    [ "$(id -u)" = 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANTOREL_BENCH=ON >/dev/null
  cmake --build "$build" -j2 --target "$@" >/dev/null
}

# Both programs of a comparison draw with the same scene graph unless the caller
# chose one: the program picks the software one on machines without a GPU, and
# set against the floor's emulated OpenGL that would flatter the ratio.
export QT_QUICK_BACKEND=${QT_QUICK_BACKEND:-software}
