#!/usr/bin/env bash
# Start-up benchmark: time from starting a program until an X window carries
# the title of a local page, for Vantorel and for the minimal WebEngine
# program bench_floor, on a private Xvfb. The last line is "ratio R"
# (Vantorel median / floor median); the floor makes Vantorel's rendering choice.
#
#   bench/startup/run.sh [--runs N] [--self-check] [--unequal] [--floor-option OPT]...
#
# --self-check runs bench_floor in both slots, to test the harness itself.
# --unequal also runs the floor with OpenGL loaded (bench_floor --with-gl), as a
# plain Qt program does, and prints that ratio before the last line.
# --floor-option passes OPT to bench_floor (e.g. --memory-profile).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=7
self_check=0
unequal=0
floor_opts=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --self-check) self_check=1; shift ;;
    --unequal) unequal=1; shift ;;
    --floor-option) floor_opts+=("$2"); shift 2 ;;
    *) echo "usage: $0 [--runs N] [--self-check] [--unequal] [--floor-option OPT]..." >&2; exit 1 ;;
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

# Runs one program with fresh per-user folders; prints its milliseconds. The log
# gets its steps (VANTOREL_STEP_TIMES) and the time its title was seen.
measure() {
  local name=$1; shift
  fresh_user_folders
  echo "== $name" >>"$log"
  local rc=0 ms
  ms=$(HOME="$t/home" XDG_CONFIG_HOME="$t/config" XDG_DATA_HOME="$t/data" \
       XDG_CACHE_HOME="$t/cache" XDG_RUNTIME_DIR="$t/runtime" VANTOREL_STEP_TIMES=1 \
       "$xpoll" --title "$title" --press-enter-on-title Vantorel --timeout 60 \
       --exec -- "$@" 2>>"$log") || rc=$?
  if [ "$rc" != 0 ] || [ -z "$ms" ]; then fail_run "$name" "$rc"; fi
  echo "title-seen $ms" >>"$log"
  echo "$ms"
}

a=()
b=()
c=()
for i in $(seq "$runs"); do
  if [ "$self_check" = 1 ]; then
    ms=$(measure "$vantorel_name $i" "$floor" "${floor_opts[@]}" "$url")
  else
    ms=$(measure "$vantorel_name $i" "$vantorel" -nohome "$url")
  fi
  a+=("$ms")
  printf 'run %d %-9s %8.1f ms\n' "$i" "$vantorel_name" "$ms"
  ms=$(measure "floor $i" "$floor" "${floor_opts[@]}" "$url")
  b+=("$ms")
  printf 'run %d %-9s %8.1f ms\n' "$i" floor "$ms"
  if [ "$unequal" = 1 ]; then
    ms=$(measure "floor-gl $i" "$floor" --with-gl "${floor_opts[@]}" "$url")
    c+=("$ms")
    printf 'run %d %-9s %8.1f ms\n' "$i" floor-gl "$ms"
  fi
done

# Each step's median time from the program's start, and the medians of the time
# and of the main thread's CPU time since the step before.
python3 - "$log" <<'EOF'
import collections, statistics, sys
runs = collections.defaultdict(list)  # program -> [{step: (ms, cpu ms or None)}]
program, start, steps = None, None, {}
for line in open(sys.argv[1], errors="replace"):
    words = line.split()
    if line.startswith("== "):
        program, start, steps = words[1], None, {}
    elif line.startswith("bench_xpoll: started "):
        start = float(words[2])
    elif len(words) == 6 and words[0] == "step" and start is not None:
        steps.pop(words[1], None)  # a step marked again counts where it was last
        steps[words[1]] = (float(words[2]) - start, float(words[5]))
    elif words[:1] == ["title-seen"] and program:
        steps["title-seen"] = (float(words[1]), None)
        runs[program].append(steps)
print("steps: median ms from the start (+ms since the step before, cpu ms of the main thread)")
for program, seen in runs.items():
    print(f"  {program}")
    names = list(dict.fromkeys(name for steps in seen for name in steps))
    for name in names:
        at, gap, cpu = [], [], []
        for steps in seen:
            if name not in steps:
                continue
            keys = list(steps)
            ms, used = steps[name]
            at.append(ms)
            i = keys.index(name)
            if i > 0:
                before_ms, before_cpu = steps[keys[i - 1]]
                gap.append(ms - before_ms)
                if used is not None and before_cpu is not None:
                    cpu.append(used - before_cpu)
        extra = f" (+{statistics.median(gap):.1f}" if gap else " ("
        extra += f", cpu {statistics.median(cpu):.1f})" if cpu else ")"
        print(f"    {name:20s} {statistics.median(at):8.1f}{extra if gap or cpu else ''}")
EOF

python3 - "$vantorel_name" "${#a[@]}" "${a[@]}" "${b[@]}" "${c[@]}" <<'EOF'
import statistics, sys
name, n = sys.argv[1], int(sys.argv[2])
vals = [float(v) for v in sys.argv[3:]]
ma, mb = statistics.median(vals[:n]), statistics.median(vals[n:2 * n])
print(f"median {name} {ma:.1f} ms")
print(f"median floor {mb:.1f} ms")
if len(vals) > 2 * n:
    mc = statistics.median(vals[2 * n:])
    print(f"median floor-gl {mc:.1f} ms")
    print(f"unequal ratio {ma / mc:.2f} (against the floor with OpenGL loaded)")
print(f"ratio {ma / mb:.2f}")
EOF
