#!/usr/bin/env bash
# The presenter on real servers: a window moving a band through it for a few
# seconds (present_probe) must measure the refresh it was shown at. Under
# Xvfb with a fake refresh of 144 Hz and of 60 Hz the timing comes from X11
# Present ("vblank") and the measured rate is within 0.5 % of the fake one;
# without MIT-SHM the fallback runs, labelled "estimated", and ends. Under
# mutter's headless back end with a 60 Hz virtual monitor (when mutter is
# installed) the timing comes from presentation-time ("compositor").
set -u
build=${1:-build}
probe=$(cd "$build" 2>/dev/null && pwd)/bin/present_probe
[ -x "$probe" ] || { echo "present-e2e: no probe at $probe"; exit 1; }
command -v Xvfb >/dev/null || { echo "present-e2e: Xvfb is missing"; exit 1; }
work=$(mktemp -d)
server=""
cleanup() {
  [ -n "$server" ] && { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; }
  rm -rf "$work"
  return 0
}
trap cleanup EXIT
fail() { echo "present-e2e: FAIL ($1): $2"; exit 1; }

# field LINE NAME: the value of NAME=... in the probe's line.
field() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }
# within MEASURED EXPECTED PERCENT
within() { awk -v m="$1" -v e="$2" -v p="$3" 'BEGIN { d = m - e; if (d < 0) d = -d; exit !(d <= e * p / 100) }'; }

# xvfb NAME ARGS...: a fresh Xvfb with ARGS as $DISPLAY.
xvfb() {
  local name=$1; shift
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "$@" 3>"$work/display" >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  [ -s "$work/display" ] || fail "$name" "Xvfb did not start"
  export DISPLAY=":$(head -n 1 "$work/display")"
}
stop_server() { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; server=""; }

unset SDL_VIDEODRIVER WAYLAND_DISPLAY
for rate in 144 60; do
  xvfb "x11-$rate" -fakescreenfps "$rate"
  line=$(timeout 60 "$probe" 4 2>"$work/probe.err") || fail "x11-$rate" "the probe failed: $(cat "$work/probe.err")"
  echo "present-e2e: x11 at $rate Hz: $line"
  [ "$(field "$line" source)" = vblank ] || fail "x11-$rate" "timing source is not vblank"
  within "$(field "$line" measured)" "$rate" 0.5 || fail "x11-$rate" "measured rate not within 0.5 % of $rate"
  stop_server
done

xvfb no-shm -extension MIT-SHM
line=$(timeout 60 "$probe" 2 2>"$work/probe.err") || fail no-shm "the probe failed: $(cat "$work/probe.err")"
echo "present-e2e: x11 without MIT-SHM: $line"
[ "$(field "$line" source)" = estimated ] || fail no-shm "timing source is not estimated"
grep -q "fallback: the X server lacks" "$work/probe.err" || fail no-shm "no reason given for the fallback"
stop_server

if ! command -v mutter >/dev/null || ! command -v dbus-run-session >/dev/null; then
  echo "present-e2e: mutter is not installed: the Wayland presenter was not run"
  exit 0
fi
mkdir -m 700 "$work/runtime"
cat >"$work/mutter.sh" <<'INNER'
#!/usr/bin/env bash
# Runs inside the session bus: mutter headless, then the probe on it.
mutter --headless --virtual-monitor 1280x720@60 --wayland --no-x11 --wayland-display=lv-present >"$XDG_RUNTIME_DIR/mutter.log" 2>&1 &
m=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/lv-present" ] && break; sleep 0.1; done
WAYLAND_DISPLAY=lv-present SDL_VIDEODRIVER=wayland timeout 60 "$1" 6
status=$?
kill "$m"; wait "$m"
exit $status
INNER
line=$(XDG_RUNTIME_DIR="$work/runtime" timeout 120 dbus-run-session -- bash "$work/mutter.sh" "$probe" 2>"$work/probe.err") ||
  fail mutter "the probe failed: $(tail -n 5 "$work/probe.err")"
echo "present-e2e: wayland (mutter) at 60 Hz: $line"
[ "$(field "$line" source)" = compositor ] || fail mutter "timing source is not compositor"
[ "$(field "$line" nominal)" = 60.000 ] || fail mutter "nominal rate is not the output's 60.000"
within "$(field "$line" measured)" 60 1 || fail mutter "measured rate not within 1 % of 60"
echo "present-e2e: ok"
