#!/usr/bin/env bash
# The presenter on real servers: a window moving a band through it for a few
# seconds (present_probe) must measure the refresh it was shown at. Under
# Xvfb with a fake refresh of 144 Hz and of 60 Hz the timing comes from X11
# Present ("vblank") and the measured rate is within 0.5 % of the fake one;
# without MIT-SHM the fallback runs, labelled "estimated", and ends. Under
# mutter's headless back end with a 60 Hz virtual monitor (when mutter is
# installed) the timing comes from presentation-time ("compositor").
# Then the program itself: `lv.exe --test motion` for a few seconds, ended
# with Escape, must print its one line of figures with the same rates and
# sources (in Chinese: the checks run under the C locale), and end on
# Escape without MIT-SHM too, its timing "estimated".
set -u
build=${1:-build}
probe=$(cd "$build" 2>/dev/null && pwd)/bin/present_probe
lv=$(cd "$build" 2>/dev/null && pwd)/bin/lv.exe
[ -x "$probe" ] || { echo "present-e2e: no probe at $probe"; exit 1; }
[ -x "$lv" ] || { echo "present-e2e: no program at $lv"; exit 1; }
command -v xdotool >/dev/null || { echo "present-e2e: xdotool is missing"; exit 1; }
command -v Xvfb >/dev/null || { echo "present-e2e: Xvfb is missing"; exit 1; }
work=$(mktemp -d)
server=""
cleanup() {
  [ -n "${e2e_pids:-}" ] && { kill $e2e_pids 2>/dev/null; wait $e2e_pids 2>/dev/null; }
  [ -n "$server" ] && { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; }
  rm -rf "$work"
  return 0
}
trap cleanup EXIT
fail() { echo "present-e2e: FAIL ($1): $2"; exit 1; }

# field LINE NAME: the value of NAME=... in the probe's line.
field() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }
# motion_field LINE WORD: the value after WORD in the program's motion line
# ("运动: 帧 1234, 保持 0, ..., 实测 143.998 Hz, ..., 计时 垂直同步").
motion_field() { sed -n "s/.*$2 \([^ ,]*\).*/\1/p" <<<"$1"; }
# within MEASURED EXPECTED PERCENT
within() { awk -v m="$1" -v e="$2" -v p="$3" 'BEGIN { d = m - e; if (d < 0) d = -d; exit !(d <= e * p / 100) }'; }

. "$(dirname "$0")/lib/fake-refresh.sh"

unset SDL_VIDEODRIVER WAYLAND_DISPLAY
for rate in 144 60; do
  xvfb "x11-$rate" -fakescreenfps "$rate"
  line=$(timeout 60 "$probe" 4 2>"$work/probe.err") || fail "x11-$rate" "the probe failed: $(cat "$work/probe.err")"
  echo "present-e2e: x11 at $rate Hz: $line"
  [ "$(field "$line" source)" = vblank ] || fail "x11-$rate" "timing source is not vblank"
  within "$(field "$line" measured)" "$rate" 0.5 || fail "x11-$rate" "measured rate not within 0.5 % of $rate"
  stop_server
done

# lv_motion NAME SECONDS: lv.exe --test motion on $DISPLAY for SECONDS,
# ended with Escape; its standard output in $line. It must end within ten
# seconds of the key.
lv_motion() {
  LC_ALL=C timeout 60 "$lv" --test motion >"$work/lv.out" 2>"$work/lv.err" &
  local pid=$!
  sleep "$2"
  xdotool key Escape
  local waited=0
  while kill -0 "$pid" 2>/dev/null && [ $waited -lt 100 ]; do sleep 0.1; waited=$((waited + 1)); done
  kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "$1" "lv.exe did not end within 10 s of Escape"; }
  wait "$pid" || fail "$1" "lv.exe failed: $(cat "$work/lv.err")"
  line=$(cat "$work/lv.out")
}

xvfb lv-x11-144 -fakescreenfps 144
lv_motion lv-x11-144 4
echo "present-e2e: lv.exe under x11 at 144 Hz: $line"
[ "$(motion_field "$line" 计时)" = 垂直同步 ] || fail lv-x11-144 "timing source is not 垂直同步"
within "$(motion_field "$line" 实测)" 144 0.5 || fail lv-x11-144 "measured rate not within 0.5 % of 144"
[ "$(motion_field "$line" 帧)" -gt 300 ] || fail lv-x11-144 "too few frames shown"
stop_server

xvfb lv-no-shm -extension MIT-SHM
lv_motion lv-no-shm 2
echo "present-e2e: lv.exe under x11 without MIT-SHM: $line"
[ "$(motion_field "$line" 计时)" = 估计 ] || fail lv-no-shm "timing source is not 估计"
[ "$(motion_field "$line" 帧)" -gt 30 ] || fail lv-no-shm "too few frames shown"
stop_server

# Tab between two weston outputs remakes the presenter on each; the outputs
# it bound must outlive it (SDL crashed on an output destroyed under its
# surface). Weston's X11 back end has no monotonic presentation clock, so
# the timing there is estimated.
. "$(dirname "$0")/lib/weston.sh"
e2e_pids=""
xvfb lv-weston-tab
weston_begin present-e2e "" 2
LC_ALL=C timeout 60 "$lv" --test motion >"$work/lv.out" 2>"$work/lv.err" &
pid=$!
sleep 3
xdotool key Tab
sleep 2
xdotool key Tab
sleep 2
xdotool key Escape
wait "$pid" || fail lv-weston-tab "lv.exe failed after Tab (status $?): $(tail -n 3 "$work/lv.err")"
line=$(cat "$work/lv.out")
echo "present-e2e: lv.exe under weston, Tab to the other output and back: $line"
[ "$(motion_field "$line" 帧)" -gt 30 ] || fail lv-weston-tab "too few frames shown"
kill $e2e_pids 2>/dev/null; wait $e2e_pids 2>/dev/null; e2e_pids=""
unset WAYLAND_DISPLAY SDL_VIDEODRIVER XDG_RUNTIME_DIR
stop_server

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

# The program under mutter: keys reach its headless back end only through
# its remote-desktop interface (tests/mutter_key).
keys=$(cd "$build" && pwd)/bin/mutter_key
[ -x "$keys" ] || fail lv-mutter "no key helper at $keys"
cat >"$work/lv-mutter.sh" <<'INNER'
#!/usr/bin/env bash
# Runs inside the session bus: mutter headless, lv.exe on it, then Escape
# (the first keys of a new remote-desktop session may be lost: three).
mutter --headless --virtual-monitor 1280x720@60 --wayland --no-x11 --wayland-display=lv-present >"$XDG_RUNTIME_DIR/mutter.log" 2>&1 &
m=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/lv-present" ] && break; sleep 0.1; done
LC_ALL=C WAYLAND_DISPLAY=lv-present SDL_VIDEODRIVER=wayland timeout 60 "$1" --test motion &
p=$!
sleep 5
"$2" 0xff1b 0xff1b 0xff1b
wait $p
status=$?
kill "$m"; wait "$m"
exit $status
INNER
line=$(XDG_RUNTIME_DIR="$work/runtime" timeout 120 dbus-run-session -- bash "$work/lv-mutter.sh" "$lv" "$keys" 2>"$work/lv.err") ||
  fail lv-mutter "lv.exe failed or did not end on Escape: $(tail -n 5 "$work/lv.err")"
echo "present-e2e: lv.exe under wayland (mutter) at 60 Hz: $line"
[ "$(motion_field "$line" 计时)" = 合成器时钟 ] || fail lv-mutter "timing source is not 合成器时钟"
[ "$(motion_field "$line" 标称)" = 60.000 ] || fail lv-mutter "nominal rate is not the output's 60.000"
within "$(motion_field "$line" 实测)" 60 1 || fail lv-mutter "measured rate not within 1 % of 60"
echo "present-e2e: ok"
