#!/usr/bin/env bash
# Builds the Debian package, installs it with apt, starts the installed program on a
# private X display against a loopback web server, makes it the default browser and
# opens an address with xdg-open, then purges the package and looks for anything left.
# Needs root (or sudo) for apt. Prints each step and ends with PASS or FAIL.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
failures=()
n=0
step() { n=$((n + 1)); echo; echo "== $n. $*"; }
fail() { echo "   FAIL: $*"; failures+=("$*"); }
ok() { echo "   ok: $*"; }
finish() {
  echo
  if [ ${#failures[@]} -eq 0 ]; then
    echo "PASS: package built, installed, opened addresses, default browser, purged without leftovers"
    exit 0
  fi
  echo "FAIL: ${#failures[@]} check(s) failed:"
  printf '  - %s\n' "${failures[@]}"
  exit 1
}

work=$(mktemp -d /tmp/vantorel-package-check.XXXXXX)
groups=()
cleanup() {
  for g in "${groups[@]}"; do kill -- "-$g" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

step "Build the package (scripts/package.sh)"
if ! "$root/scripts/package.sh" >"$work/package.log" 2>&1; then
  tail -30 "$work/package.log"
  fail "scripts/package.sh failed"
  finish
fi
sed -n '/^Package:/,$p' "$work/package.log"
deb=$(tail -1 "$work/package.log")

step "Install the tools this check uses"
"$root/scripts/need-packages.sh" xvfb xdg-utils xdotool python3 procps && ok "xvfb, xdg-utils, xdotool, python3, procps"

step "Install the package with apt"
if dpkg-query -W -f='${Status}' vantorel 2>/dev/null | grep -q installed; then
  echo "   purging the copy installed before"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq vantorel >/dev/null
fi
if DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "$deb" >"$work/apt.log" 2>&1; then
  ok "apt-get install $(basename "$deb")"
else
  tail -20 "$work/apt.log"
  fail "apt could not install $deb"
  finish
fi
dpkg -L vantorel | sort >"$work/files"
echo "   Depends: $(dpkg-query -W -f='${Depends}' vantorel)"
echo "   $(wc -l <"$work/files") paths, among them:"
grep -E '^/usr/(bin/|lib/vantorel/vantorel$|share/(applications|metainfo|icons/hicolor/scalable/apps)/)' "$work/files" | sed 's/^/     /'

step "Validate the installed launcher and AppStream file"
desktop=/usr/share/applications/vantorel.desktop
desktop-file-validate "$desktop" && ok "desktop-file-validate $desktop" || fail "desktop-file-validate $desktop"
grep -E '^(Exec|MimeType)=' "$desktop" | sed 's/^/   /'
grep -qx 'Exec=/usr/bin/vantorel %U' "$desktop" || fail "Exec does not name /usr/bin/vantorel with %U"
for m in $(grep "^/usr/share/metainfo/.*\.metainfo\.xml$" "$work/files"); do
  appstreamcli validate --no-net "$m" >"$work/appstream.log" 2>&1 \
    && ok "appstreamcli validate --no-net $m" || { cat "$work/appstream.log"; fail "appstreamcli validate $m"; }
done
[ "$(readlink -f /usr/bin/vantorel)" = /usr/lib/vantorel/vantorel ] && ok "/usr/bin/vantorel -> /usr/lib/vantorel/vantorel" \
  || fail "/usr/bin/vantorel does not lead to /usr/lib/vantorel/vantorel"

step "Start a web server on loopback and a private X display"
mkdir -p "$work"/{home,config,data,cache,run}
chmod 700 "$work/run"
setsid python3 -u - "$work/port" >"$work/server.log" 2>&1 <<'EOF' &
import http.server, sys
class Page(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        body = ("<html><head><title>page %s</title></head><body>%s</body></html>" % (self.path, self.path)).encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
    def log_message(self, format, *args):
        sys.stdout.write("GET %s  User-Agent: %s\n" % (self.path, self.headers.get("User-Agent")))
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Page)
open(sys.argv[1], "w").write(str(server.server_address[1]))
server.serve_forever()
EOF
groups+=($!)
setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
groups+=($!)
for _ in $(seq 50); do [ -s "$work/port" ] && [ -s "$work/display" ] && break; sleep 0.2; done
port=$(cat "$work/port")
display=:$(head -1 "$work/display")
base="http://127.0.0.1:$port"
echo "   server $base, display $display"
# Everything started from here sees only this environment: private HOME and XDG folders,
# no desktop named, no $BROWSER.
environment=(env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$work/home" LANG=C.UTF-8 DISPLAY="$display"
  XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/run")
if [ "$(id -u)" = 0 ]; then
  echo "   running as root: Chromium's sandbox is switched off (QTWEBENGINE_DISABLE_SANDBOX=1)"
  environment+=(QTWEBENGINE_DISABLE_SANDBOX=1)
fi
if command -v openbox >/dev/null; then
  setsid "${environment[@]}" openbox --sm-disable >"$work/openbox.log" 2>&1 &
  groups+=($!)
  echo "   openbox started"
fi

# Waits up to $2 seconds for the server to log a request for path $1 from Qt WebEngine.
requested() {
  for _ in $(seq $(($2 * 5))); do
    grep -q "^GET $1 .*QtWebEngine" "$work/server.log" && return 0
    sleep 0.2
  done
  return 1
}
# The titles of the windows shown on the display.
windows() {
  "${environment[@]}" xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null \
    | grep -v '^$' | sed 's/.*/"&"/' | paste -sd, -
}
# The running copies of the installed program.
copies() {
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/exe" 2>/dev/null)" = /usr/lib/vantorel/vantorel ] && echo "${p#/proc/}"
  done
}

step "Start the installed program: vantorel $base/"
setsid "${environment[@]}" vantorel "$base/" >"$work/first.log" 2>&1 &
first=$!
groups+=($first)
if requested / 60; then
  ok "the server saw / requested by vantorel"
else
  if kill -0 "$first" 2>/dev/null; then
    fail "vantorel is running but did not open the address on its command line ($base/ never requested)"
  else
    fail "vantorel exited"
  fi
  echo "   its output:"; sed 's/^/     /' "$work/first.log" | tail -20
fi
echo "   vantorel processes: $(copies | wc -l); windows on the display: $(windows)"

step "Check that what the running program loaded comes from packages it depends on"
# Its dependencies; what its recommended packages bring is optional (loaded when present).
closure() {
  apt-cache depends --recurse --installed --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "$@" 2>/dev/null \
    | sed -E 's/^ *\|?(Pre)?Depends: //; s/^ *Recommends: //; s/[<>]//g; s/:.*//' | sort -u
}
closure --no-recommends vantorel >"$work/depends"
dpkg-query -W -f='${Package} ${Essential}\n' | awk '$2 == "yes" {print $1}' >>"$work/depends"
closure vantorel >"$work/recommends"
for p in $(pgrep -s "$first"); do
  awk '$6 ~ /^\// {print $6}' "/proc/$p/maps" 2>/dev/null
  readlink "/proc/$p/exe"
done | sort -u | grep -E '^/(usr|etc|lib|bin)/' >"$work/loaded"
outside=0 optional=0 unowned=0
while read -r f; do
  owner=$(dpkg -S "$f" 2>/dev/null || dpkg -S "${f#/usr}" 2>/dev/null) || { unowned=$((unowned + 1)); continue; }
  for o in $(echo "${owner%%: *}" | tr -d ','); do
    o=${o%%:*}
    if grep -qx "$o" "$work/depends"; then
      continue
    elif grep -qx "$o" "$work/recommends" && ! echo "$f" | grep -qE 'libexec/|resources/|plugins/(platforms|imageformats|iconengines|sqldrivers)/'; then
      echo "   optional, from a recommended package: $f ($o)"
      optional=$((optional + 1))
    else
      echo "   not depended on: $f ($o)"
      outside=$((outside + 1))
    fi
  done
done <"$work/loaded"
echo "   $(pgrep -s "$first" | wc -l) processes, $(wc -l <"$work/loaded") files mapped, $unowned of no package" \
  "(made on this machine), $optional optional; Qt WebEngine's helper and resources, Qt's plugins:"
grep -E 'libexec/|resources/|plugins/(platforms|imageformats|iconengines|sqldrivers)/' "$work/loaded" | sed 's/^/     /'
grep -q 'libexec/QtWebEngineProcess$' "$work/loaded" || fail "no QtWebEngineProcess was running"
[ "$outside" = 0 ] && ok "every file loaded comes from vantorel's dependencies or, optional, its recommendations" \
  || fail "$outside loaded file(s) come from packages vantorel does not depend on"

step "Make it the default browser"
"${environment[@]}" xdg-settings set default-web-browser vantorel.desktop \
  && ok "xdg-settings set default-web-browser vantorel.desktop" || fail "xdg-settings set failed"
now=$("${environment[@]}" xdg-settings get default-web-browser)
echo "   xdg-settings get default-web-browser: $now"
[ "$now" = vantorel.desktop ] || fail "the default browser is '$now'"

step "xdg-open $base/y"
before=$(copies | wc -l)
setsid "${environment[@]}" xdg-open "$base/y" >"$work/xdg-open.log" 2>&1 &
groups+=($!)
if requested /y 60; then
  ok "the server saw /y requested by vantorel"
else
  fail "/y was never requested by vantorel after xdg-open"
  echo "   output of what xdg-open started:"; sed 's/^/     /' "$work/xdg-open.log" | tail -20
fi
after=$(copies | wc -l)
echo "   windows on the display: $(windows)"
echo "   vantorel processes: $before before xdg-open, $after after" \
  "($([ "$after" -gt "$before" ] && echo "xdg-open started another copy" || echo "no new copy"))"
echo "   server log:"
sed 's/^/     /' "$work/server.log"

step "Stop the programs this check started"
for g in "${groups[@]}"; do kill -- "-$g" 2>/dev/null; done
groups=()
for _ in $(seq 50); do [ -z "$(copies)" ] && break; sleep 0.2; done
[ -z "$(copies)" ] && ok "no vantorel running" || fail "vantorel still running: $(copies | tr '\n' ' ')"

step "Purge the package and look for what is left"
DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y vantorel >"$work/purge.log" 2>&1 \
  && ok "apt-get purge vantorel" || { tail "$work/purge.log"; fail "apt-get purge failed"; }
dpkg-query -W -f='${Status}' vantorel 2>/dev/null | grep -q installed && fail "dpkg still lists vantorel"
ls /var/lib/dpkg/info/vantorel.* 2>/dev/null && fail "dpkg keeps files of vantorel"
left=0 shared=0
while read -r f; do
  [ -e "$f" ] || [ -L "$f" ] || continue
  if [ -d "$f" ] && [ ! -L "$f" ] && dpkg -S "$f" >/dev/null 2>&1; then
    shared=$((shared + 1))
  else
    echo "   left behind: $f"
    left=$((left + 1))
  fi
done <"$work/files"
echo "   $(wc -l <"$work/files") paths were installed; $shared folders remain that other packages own; $left left behind"
[ "$left" = 0 ] && ok "nothing of the package is left" || fail "$left path(s) left after purge"
# The desktop's caches that dpkg triggers rebuild must have forgotten it too.
for cache in /usr/share/applications/mimeinfo.cache /usr/share/icons/hicolor/icon-theme.cache; do
  [ -e "$cache" ] || continue
  grep -aq vantorel "$cache" && fail "$cache still names vantorel" || ok "$cache does not name vantorel"
done

finish
