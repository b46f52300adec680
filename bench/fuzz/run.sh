#!/usr/bin/env bash
# Runs every fuzz target (fuzz/fuzz_<name>.cpp) for SECONDS under AddressSanitizer and
# UndefinedBehaviorSanitizer, each on a copy of its seeds (fuzz/corpus/<name>/) in a
# temporary folder, and prints per target its executions and findings; the last line is
# "N targets, N findings". Builds build-fuzz/ first (clang, -DVANTOREL_FUZZ=ON) when needed.
#   bench/fuzz/run.sh SECONDS [NAME...]   only the targets named
#   bench/fuzz/run.sh --build             build only
# FUZZ_JOBS targets run at a time, one per core by default.
# Findings (the inputs, with the run's log) are kept in bench/out/fuzz/<name>/.
# FUZZ_SEED fixes libFuzzer's random seed (0, the default, picks one); with FUZZ_RUNS, a
# run ends after that many inputs, so that a seeded run is the same however fast it goes.
# Exit status: 0 no finding, 1 findings, 2 no clang or libFuzzer, or a build that failed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
rss_mb=${FUZZ_RSS_MB:-512}

usage() { echo "usage: $0 SECONDS [NAME...] | --build" >&2; exit 2; }
[ $# -ge 1 ] || usage

if ! command -v clang++ >/dev/null || ! ls "$(clang++ -print-runtime-dir)"/libclang_rt.fuzzer*.a >/dev/null 2>&1; then
  echo "fuzz: clang with libFuzzer is not installed (scripts/setup.sh installs it)" >&2
  exit 2
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DVANTOREL_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" >/dev/null
fi
# FUZZ_NO_BUILD: built already (the tests build once, then run the targets side by side).
if [ -z "${FUZZ_NO_BUILD:-}" ] || [ "$1" = --build ]; then
  cmake --build "$build" -j"$(nproc)" --target fuzz_all >"$build/build.log" 2>&1 || { tail -n 30 "$build/build.log" >&2; exit 2; }
fi
[ "$1" = --build ] && exit 0

seconds=$1
shift
case $seconds in ''|*[!0-9]*) usage ;; esac
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for d in "$root"/fuzz/corpus/*/; do names+=("$(basename "$d")"); done
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/vantorel-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
# A smaller quarantine, no fill of new blocks and no allocation stacks: the readers
# allocate much per input, and those costs, not the checks, set the pace. A use after
# free is caught unless 4 MB were freed in between; a larger quarantine cycled through
# memory the caches had lost, a quarter of the file targets' time. Stacks
# unwound through Qt's libraries (no frame pointers) come out different nearly every
# time, and ASan keeps each one for good: a long run grew past its memory limit by
# them alone. To see where a finding's memory came from, run its input again with
# ASAN_OPTIONS=malloc_context_size=30.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1:quarantine_size_mb=4:max_malloc_fill_size=0:malloc_context_size=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# One target's run; its line of figures goes to its folder's result file.
fuzz_one() {
  local name=$1 binary=$build/fuzz/fuzz_$1 out=$root/bench/out/fuzz/$1 log=$work/$1/log.txt execs rate found
  local own=()
  # A target's own libFuzzer options, one per line, after the defaults (the last one counts).
  [ -f "$root/fuzz/fuzz_$name.options" ] && mapfile -t own < <(grep -v '^#' "$root/fuzz/fuzz_$name.options")
  mkdir -p "$out" "$work/$name"
  cp -r "$root/fuzz/corpus/$name" "$work/$name/corpus"
  # A finding ends the run; its input is written to the artifact prefix.
  (cd "$work/$name" && "$binary" corpus -max_total_time="$seconds" -rss_limit_mb="$rss_mb" -malloc_limit_mb="$rss_mb" \
      -timeout=10 -max_len=4096 -seed="${FUZZ_SEED:-0}" ${FUZZ_RUNS:+-runs=$FUZZ_RUNS} -print_final_stats=1 -artifact_prefix="$out/" "${own[@]}" >"$log" 2>&1) || true
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  found=$(grep -cE '^==[0-9]+==ERROR|^SUMMARY: |fuzz: violated|deadly signal|ERROR: libFuzzer' "$log" || true)
  {
    if [ "$found" -gt 0 ] || [ -z "$execs" ]; then
      found=1
      cp "$log" "$out/log-$(date +%Y%m%d-%H%M%S).txt"
      grep -m 3 -E 'fuzz: violated|ERROR|SUMMARY|Test unit written' "$log" | sed "s/^/  $name: /"
    fi
    echo "$name: ${execs:-0} executions, ${rate:-0}/s, $found findings"
  } >"$work/$name/result"
}

for name in "${names[@]}"; do
  [ -x "$build/fuzz/fuzz_$name" ] && [ -d "$root/fuzz/corpus/$name" ] || { echo "fuzz: no target $name" >&2; exit 2; }
done
# FUZZ_JOBS targets at a time (one per core unless set); each runs SECONDS.
jobs=${FUZZ_JOBS:-$(nproc)}
for name in "${names[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
  fuzz_one "$name" &
done
wait
total=0
for name in "${names[@]}"; do
  cat "$work/$name/result"
  total=$((total + $(sed -n 's/.*, \([0-9]*\) findings$/\1/p' "$work/$name/result")))
done
echo "${#names[@]} targets, $total findings"
[ "$total" -eq 0 ]
