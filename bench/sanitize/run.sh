#!/usr/bin/env bash
# Builds everything in build-san/ with AddressSanitizer and UndefinedBehaviorSanitizer
# (-DVANTOREL_SANITIZE=ON) and runs the whole test suite there; a test that meets a
# finding fails, its report in the test's output. Arguments go to ctest, e.g. -R mail.
# The fuzz targets' short runs are left out: they are built with both sanitizers anyway.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${SAN_BUILD:-$root/build-san}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVANTOREL_SANITIZE=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" >"$build/build.log" 2>&1 || { tail -n 30 "$build/build.log" >&2; exit 2; }
# Leaks are not looked for: Qt and the web engine keep much until exit on purpose, and
# the reports would drown anything of ours. The web engine's own code frees some objects
# by a base of another size, which is no fault of ours and would stop every page. A
# smaller quarantine keeps the memory bounds of the tests meaningful.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:new_delete_type_mismatch=0:quarantine_size_mb=32:abort_on_error=1:print_summary=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# Without a session bus libdbus forks a child to start one; under AddressSanitizer that
# child of a threaded program can spin for ever, and the program waits on it. An
# address that fails at once is what a machine without a bus gives the program.
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=$build/no-session-bus}
cd "$build"
ctest -j"$(nproc)" --output-on-failure -E '^fuzz_' "$@"
