#!/usr/bin/env bash
# Memory benchmark: the proportional set size (PSS) of a program's whole process
# tree (the program and the web engine's helper processes) 4 s after its window
# shows the title of a local page, for Vantorel and for the minimal WebEngine
# program bench_floor, on a private Xvfb. The last line is "ratio R"
# (Vantorel median / floor median); the floor makes Vantorel's rendering choice.
#
#   bench/memory/run.sh [--runs N] [--settle S] [--unequal] [--floor-option OPT]...
#
# --unequal also measures the floor with OpenGL loaded (bench_floor --with-gl), as
# a plain Qt program does, and prints that ratio before the last line.
# --floor-option passes OPT to bench_floor (e.g. --memory-profile).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=5
settle=4
unequal=0
floor_opts=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --settle) settle=$2; shift 2 ;;
    --unequal) unequal=1; shift ;;
    --floor-option) floor_opts+=("$2"); shift 2 ;;
    *) echo "usage: $0 [--runs N] [--settle S] [--unequal] [--floor-option OPT]..." >&2; exit 1 ;;
  esac
done

# The start-up benchmark's page.
title="BenchPage Startup 7f3a"
page="$root/bench/startup/page.htm"
url="file://$page"

# shellcheck source=../build.sh
source "$here/../build.sh"
bench_build bench_floor bench_xpoll vantorel stage_data
floor="$build/bench/floor/bench_floor"
xpoll="$build/bench/xpoll/bench_xpoll"
vantorel="$build/vantorel"

work_prefix=bench-memory
# shellcheck source=../common.sh
source "$here/../common.sh"

# KiB of PSS of the process and all its descendants, from /proc, then the
# anonymous part of it and the number of processes.
tree_pss() {
  python3 - "$1" <<'EOF'
import os, sys
children = {}
for entry in os.listdir('/proc'):
    if not entry.isdigit():
        continue
    try:
        with open(f'/proc/{entry}/stat') as f:
            stat = f.read()
    except OSError:
        continue
    ppid = int(stat[stat.rfind(')') + 2:].split()[1])
    children.setdefault(ppid, []).append(int(entry))
total, anon, count, todo = 0, 0, 0, [int(sys.argv[1])]
while todo:
    pid = todo.pop()
    todo.extend(children.get(pid, []))
    try:
        with open(f'/proc/{pid}/smaps_rollup') as f:
            for line in f:
                if line.startswith('Pss:'):
                    total += int(line.split()[1])
                    count += 1
                elif line.startswith('Pss_Anon:'):
                    anon += int(line.split()[1])
    except OSError:
        pass
print(total, anon, count)
EOF
}

# Runs one program with fresh per-user folders; prints "KiB anonKiB processes".
measure() {
  local name=$1; shift
  fresh_user_folders
  echo "== $name" >>"$log"
  export HOME="$t/home" XDG_CONFIG_HOME="$t/config" XDG_DATA_HOME="$t/data" \
         XDG_CACHE_HOME="$t/cache" XDG_RUNTIME_DIR="$t/runtime"
  # Its own process group, so that everything it started can be stopped.
  setsid "$@" >>"$log" 2>&1 &
  local pid=$! rc=0
  "$xpoll" --title "$title" --press-enter-on-title Vantorel --timeout 60 >/dev/null 2>>"$log" || rc=$?
  if [ "$rc" = 0 ]; then
    # The address box may come after the title; it is answered while the program settles.
    "$xpoll" --press-enter-on-title Vantorel --timeout "$settle" >/dev/null 2>&1 &
    sleep "$settle"
    wait $! 2>/dev/null || true
    kill -0 "$pid" 2>/dev/null || rc=3
  fi
  local result=""
  [ "$rc" = 0 ] && result=$(tree_pss "$pid")
  kill -TERM -- "-$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 -- "-$pid" 2>/dev/null || break; sleep 0.1; done
  kill -KILL -- "-$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if [ "$rc" != 0 ] || [ -z "$result" ]; then fail_run "$name" "$rc"; fi
  echo "$result"
}

# One line for a run: report <run> <name> "KiB anonKiB processes".
report() {
  local kib anon procs
  read -r kib anon procs <<<"$3"
  awk -v i="$1" -v n="$2" -v k="$kib" -v a="$anon" -v p="$procs" \
    'BEGIN { printf "run %d %-8s %8.1f MiB (anonymous %.1f) in %d processes\n", i, n, k / 1024, a / 1024, p }'
}

a=()
b=()
c=()
for i in $(seq "$runs"); do
  r=$(measure "vantorel $i" "$vantorel" -nohome "$url")
  a+=("${r%% *}")
  report "$i" vantorel "$r"
  r=$(measure "floor $i" "$floor" "${floor_opts[@]}" "$url")
  b+=("${r%% *}")
  report "$i" floor "$r"
  if [ "$unequal" = 1 ]; then
    r=$(measure "floor-gl $i" "$floor" --with-gl "${floor_opts[@]}" "$url")
    c+=("${r%% *}")
    report "$i" floor-gl "$r"
  fi
done

python3 - "${#a[@]}" "${a[@]}" "${b[@]}" "${c[@]}" <<'EOF'
import statistics, sys
n = int(sys.argv[1])
vals = [int(v) / 1024 for v in sys.argv[2:]]
ma, mb = statistics.median(vals[:n]), statistics.median(vals[n:2 * n])
print(f"median vantorel {ma:.1f} MiB")
print(f"median floor {mb:.1f} MiB")
if len(vals) > 2 * n:
    mc = statistics.median(vals[2 * n:])
    print(f"median floor-gl {mc:.1f} MiB")
    print(f"unequal ratio {ma / mc:.2f} (against the floor with OpenGL loaded)")
print(f"ratio {ma / mb:.2f}")
EOF
