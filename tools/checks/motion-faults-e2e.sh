#!/usr/bin/env bash
# The motion test where the display lets it down, under X servers of its
# own. Every run is under `timeout`, so a hang fails the check, and every
# run must end with its one line and the timing labelled honestly:
#   - an X server without Present, and one without MIT-SHM: "估计";
#   - a 1 Hz refresh (Present's fallback for a window off every output,
#     which Xvfb itself does not take), the window moved off every output
#     and back, the window covered by another: it keeps running and Escape
#     ends it within 3 s, with its line;
#   - `--speed 0` and `--speed 1000000000`: one line, status 2.
# A monitor unplugged mid-test is not simulated: Xvfb's one RandR output
# can be neither turned off nor removed (the server refuses both), and
# RandR 1.5 monitors added and deleted with xrandr are not what SDL lists.
set -u
build=${1:-build}
bin=$(cd "$build" 2>/dev/null && pwd)/bin
lv=$bin/lv.exe
for tool in Xvfb xdotool xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "motion-faults-e2e: $tool is missing"; exit 1; }
done
[ -x "$lv" ] || { echo "motion-faults-e2e: no program at $lv"; exit 1; }
work=$(mktemp -d)
server=""
pids=""
cleanup() {
  local pid
  for pid in $pids $server; do kill "$pid" 2>/dev/null || true; done
  for pid in $pids $server; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
  return 0
}
trap cleanup EXIT
fail() { echo "motion-faults-e2e: FAIL ($1): $2"; exit 1; }

unset SDL_VIDEODRIVER WAYLAND_DISPLAY
export LUMIVEX_UPDATE_SERVER=http://127.0.0.1:9
cp "$lv" "$work/lv.exe"

. "$(dirname "$0")/lib/fake-refresh.sh"

# start NAME: the motion test in the background, its output in $work/out,
# its pid $run, its window $win.
start() {
  (cd "$work" && exec timeout 30 ./lv.exe --test motion >"$work/out" 2>"$work/err") &
  run=$!
  pids="$pids $run"
  win=$(timeout 10 xdotool search --sync --onlyvisible --class lumivex 2>/dev/null | head -n 1)
  [ -n "$win" ] || fail "$1" "no window appeared"
}

# finish NAME SOURCE: Escape to the window, the program's end within 3 s,
# then one line whose timing is SOURCE.
finish() {
  local name=$1 status line
  xdotool windowfocus "$win" key Escape 2>/dev/null
  for _ in $(seq 30); do kill -0 "$run" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$run" 2>/dev/null && fail "$name" "still running 3 s after Escape"
  wait "$run"
  status=$?
  [ "$status" = 124 ] && fail "$name" "still running 30 s after its start (hung)"
  [ "$status" = 0 ] || fail "$name" "status $status: $(tail -n 3 "$work/err")"
  [ "$(grep -c . "$work/out")" = 1 ] || fail "$name" "not one line: $(cat "$work/out")"
  line=$(cat "$work/out")
  echo "motion-faults-e2e: $name: $line"
  [[ "$line" =~ ^运动:\ 帧\ [0-9]+,\ 保持\ [0-9]+,\ 丢弃\ [0-9]+,\ 实测\ .+\ Hz,\ 标称\ .+\ Hz,\ 间隔标准差\ [0-9]+\ 微秒,\ 计时\ (.+)$ ]] ||
    fail "$name" "not the motion line"
  [ "${BASH_REMATCH[1]}" = "$2" ] || fail "$name" "timing ${BASH_REMATCH[1]}, expected $2"
}

# Without Present, and without MIT-SHM: the fallback, labelled estimated.
# Xvfb takes `-extension Present` but keeps offering Present (the server
# cannot turn it off), so that row runs only where it is really gone.
for missing in Present MIT-SHM; do
  xvfb "no-$missing" -extension "$missing"
  if xdpyinfo -queryExtensions | grep -qw "$missing"; then
    echo "motion-faults-e2e: this Xvfb offers $missing even when told to leave it out: no-$missing not run"
    stop_server
    continue
  fi
  start "no-$missing"
  sleep 2
  finish "no-$missing" 估计
  stop_server
done

# A refresh of 1 Hz, what Present falls back to for a window off every
# output: Xvfb's Present keeps the screen's rate for such a window, so the
# slow rate is made by the server's own.
xvfb slow-refresh -fakescreenfps 1
start slow-refresh
sleep 3
finish slow-refresh 垂直同步
stop_server

# Moved off every output and back on; then covered by another window of
# the same size.
xvfb off-output
start off-output
sleep 1
xdotool windowmove "$win" 3000 3000
sleep 2
xdotool windowmove "$win" 0 0
sleep 1
finish off-output 垂直同步
start covered
(cd "$work" && exec timeout 30 ./lv.exe --test grey >/dev/null 2>&1) &
cover=$!
pids="$pids $cover"
sleep 3
kill "$cover"
wait "$cover" 2>/dev/null
finish covered 垂直同步
stop_server

# A speed out of range: one line, status 2, no window.
for speed in 0 1000000000; do
  (cd "$work" && timeout 20 ./lv.exe --test motion --speed "$speed" >"$work/out" 2>&1)
  status=$?
  [ "$status" = 2 ] || fail "speed-$speed" "status $status, expected 2"
  [ "$(grep -c . "$work/out")" = 1 ] || fail "speed-$speed" "not one line: $(cat "$work/out")"
  echo "motion-faults-e2e: --speed $speed: $(cat "$work/out")"
done
echo "motion-faults-e2e: ok"
