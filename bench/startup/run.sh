#!/usr/bin/env bash
# Start-up benchmark: time from starting a program until an X window carries
# the title of a local page, for Vantorel and for the minimal WebEngine
# program bench_floor, on a private Xvfb. The last line is "ratio R"
# (Vantorel median / floor median).
#
#   bench/startup/run.sh [--runs N] [--self-check]
#
# --self-check runs bench_floor in both slots, to test the harness itself.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=7
self_check=0
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --self-check) self_check=1; shift ;;
    *) echo "usage: $0 [--runs N] [--self-check]" >&2; exit 1 ;;
  esac
done

title="BenchPage Startup 7f3a"
page="$here/page.htm"
cat >"$page" <<EOF
<!DOCTYPE html>
<html lang="en">
<head><meta charset="utf-8"><title>$title</title></head>
<body><h1>Start-up benchmark page</h1><p>A small local page whose title the benchmark waits for.</p></body>
</html>
EOF
url="file://$page"

# Build what we measure (quick when nothing changed).
targets=(bench_floor bench_xpoll)
[ "$self_check" = 1 ] || targets+=(vantorel stage_data)
# shellcheck source=../build.sh
source "$here/../build.sh"
bench_build "${targets[@]}"
floor="$build/bench/floor/bench_floor"
xpoll="$build/bench/xpoll/bench_xpoll"
vantorel="$build/vantorel"
[ "$self_check" = 1 ] && vantorel_name="floor*" || vantorel_name="vantorel"

work_prefix=bench-startup
# shellcheck source=../common.sh
source "$here/../common.sh"

# Runs one program with fresh per-user folders; prints its milliseconds.
measure() {
  local name=$1; shift
  fresh_user_folders
  echo "== $name" >>"$log"
  local rc=0 ms
  ms=$(HOME="$t/home" XDG_CONFIG_HOME="$t/config" XDG_DATA_HOME="$t/data" \
       XDG_CACHE_HOME="$t/cache" XDG_RUNTIME_DIR="$t/runtime" \
       "$xpoll" --title "$title" --press-enter-on-title Vantorel --timeout 60 \
       --exec -- "$@" 2>>"$log") || rc=$?
  if [ "$rc" != 0 ] || [ -z "$ms" ]; then fail_run "$name" "$rc"; fi
  echo "$ms"
}

a=()
b=()
for i in $(seq "$runs"); do
  if [ "$self_check" = 1 ]; then
    ms=$(measure "$vantorel_name $i" "$floor" "$url")
  else
    ms=$(measure "$vantorel_name $i" "$vantorel" -nohome "$url")
  fi
  a+=("$ms")
  printf 'run %d %-9s %8.1f ms\n' "$i" "$vantorel_name" "$ms"
  ms=$(measure "floor $i" "$floor" "$url")
  b+=("$ms")
  printf 'run %d %-9s %8.1f ms\n' "$i" floor "$ms"
done

python3 - "$vantorel_name" "${#a[@]}" "${a[@]}" "${b[@]}" <<'EOF'
import statistics, sys
name, n = sys.argv[1], int(sys.argv[2])
vals = [float(v) for v in sys.argv[3:]]
ma, mb = statistics.median(vals[:n]), statistics.median(vals[n:])
print(f"median {name} {ma:.1f} ms")
print(f"median floor {mb:.1f} ms")
print(f"ratio {ma / mb:.2f}")
EOF
