#!/usr/bin/env bash
# Multi-engine search benchmark: Vantorel's GoSearch_Click on N loopback
# engines (bench_search, in-process) against the least WebEngine program
# opening the same N pages (bench_search_floor), on a private Xvfb. The last
# line is "windows_s S ratio R": Vantorel's median time to have all windows,
# and its median load time divided by the floor's.
#
#   bench/search/run.sh [--runs N] [--engines N]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=5
engines=20
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --engines) engines=$2; shift 2 ;;
    *) echo "usage: $0 [--runs N] [--engines N]" >&2; exit 1 ;;
  esac
done

# shellcheck source=../build.sh
source "$here/../build.sh"
bench_build bench_search bench_search_floor
vantorel="$build/bench/search/bench_search"
floor="$build/bench/search/bench_search_floor"

work_prefix=bench-search
# shellcheck source=../common.sh
source "$here/../common.sh"

# Runs one program with fresh per-user folders; prints its result line.
measure() {
  local name=$1; shift
  local t="$work/run"
  rm -rf "$t"
  mkdir -p "$t/home" "$t/config" "$t/data" "$t/cache" "$t/tmp"
  mkdir -m 700 "$t/runtime"
  echo "== $name" >>"$log"
  local rc=0 line
  line=$(HOME="$t/home" XDG_CONFIG_HOME="$t/config" XDG_DATA_HOME="$t/data" \
         XDG_CACHE_HOME="$t/cache" XDG_RUNTIME_DIR="$t/runtime" TMPDIR="$t/tmp" \
         timeout 180 "$@" 2>>"$log" | tail -n 1) || rc=$?
  if [ "$rc" != 0 ] || [[ "$line" != windows_ms* ]]; then
    echo "$name failed (exit $rc); last log lines:" >&2
    tail -n 25 "$log" >&2
    exit 1
  fi
  echo "$line"
}

# "windows_ms W served_ms S load_ms L ..." -> the value after a key.
field() { awk -v k="$2" '{ for (i = 1; i < NF; i++) if ($i == k) print $(i + 1) }' <<<"$1"; }

results="$work/results"
: >"$results"
size=""
area=""
for i in $(seq "$runs"); do
  line=$(measure "vantorel $i" "$vantorel" --engines "$engines")
  # The floor's views and their window get the sizes of Vantorel's browser
  # controls and document area.
  [ -n "$size" ] || size=$(field "$line" view)
  [ -n "$area" ] || area=$(field "$line" area)
  echo "vantorel $line" >>"$results"
  printf 'run %d %-8s windows %8.1f ms  served %8.1f ms  load %8.1f ms\n' "$i" vantorel \
    "$(field "$line" windows_ms)" "$(field "$line" served_ms)" "$(field "$line" load_ms)"
  line=$(measure "floor $i" "$floor" --engines "$engines" --size "$size" --window "$area")
  echo "floor $line" >>"$results"
  printf 'run %d %-8s windows %8.1f ms  served %8.1f ms  load %8.1f ms\n' "$i" floor \
    "$(field "$line" windows_ms)" "$(field "$line" served_ms)" "$(field "$line" load_ms)"
done

python3 - "$results" "$size" "$area" <<'EOF'
import statistics, sys
runs = {"vantorel": [], "floor": []}
for line in open(sys.argv[1]):
    parts = line.split()
    values = dict(zip(parts[1::2], parts[2::2]))
    runs[parts[0]].append({k: float(values[k]) for k in ("windows_ms", "served_ms", "load_ms")})
med = {name: {k: statistics.median(r[k] for r in rs) for k in rs[0]} for name, rs in runs.items()}
print(f"views {sys.argv[2]} px in a {sys.argv[3]} px area")
for name in ("vantorel", "floor"):
    m = med[name]
    print(f"median {name:8s} windows {m['windows_ms']:8.1f} ms  served {m['served_ms']:8.1f} ms"
          f"  load {m['load_ms']:8.1f} ms")
ratio = med["vantorel"]["load_ms"] / med["floor"]["load_ms"]
print(f"load ratio vantorel/floor {ratio:.2f}")
print(f"windows_s {med['vantorel']['windows_ms'] / 1000:.3f} ratio {ratio:.2f}")
EOF
