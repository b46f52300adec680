# Shared by the benchmark scripts: a work folder, a private Xvfb and the engine's
# environment. Source it after setting $work_prefix; it sets $work, $log and DISPLAY.
work=$(mktemp -d "/tmp/${work_prefix:-bench}.XXXXXX")
log="$work/log.txt"
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display itself and writes its number once it accepts clients.
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(tr -d '\n' <"$work/display")"

export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
[ "$(id -u)" = 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1

# Fresh per-user folders for one run of a window benchmark, under $work/run: no tip
# dialog, and a stored 1024×768 window at the screen's corner. Sets $t.
fresh_user_folders() {
  t="$work/run"
  rm -rf "$t"
  mkdir -p "$t/home" "$t/config/Vantorel" "$t/data" "$t/cache"
  mkdir -m 700 "$t/runtime"
  printf '[Options]\r\nShowTips=0\r\n[Settings]\r\nMainLeft=0\r\nMainTop=0\r\nMainWidth=15360\r\nMainHeight=11520\r\n' >"$t/config/Vantorel/vantorel.ini"
}

# Stops the script when a run failed: fail_run <name> <exit code>.
fail_run() {
  echo "$1 failed (bench_xpoll exit $2); last log lines:" >&2
  tail -n 25 "$log" >&2
  exit 1
}
