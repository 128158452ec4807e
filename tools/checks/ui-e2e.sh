#!/usr/bin/env bash
# End to end under Xvfb: lv.exe shows its window; a click with xdotool on
# its button changes what it shows; Escape ends the program. Checks pixels
# of screenshots read back from the X server.
set -u
build=${1:-build}
exe=$(cd "$build" 2>/dev/null && pwd)/bin/lv.exe
[ -x "$exe" ] || { echo "ui-e2e: no program at $exe"; exit 1; }
for tool in Xvfb xdotool import convert xdpyinfo; do
  command -v $tool >/dev/null || { echo "ui-e2e: $tool is missing"; exit 1; }
done

for n in $(seq 150 250); do [ -e /tmp/.X$n-lock ] || break; done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
work=$(mktemp -d)
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=":$n"
unset SDL_VIDEODRIVER
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

fail() { echo "ui-e2e: FAIL: $*"; exit 1; }
shot() { import -window root "$work/shot.png"; }
# The colour (RRGGBB) at window-relative (x, y) of the last screenshot.
pixel() { convert "$work/shot.png" -format "%[hex:p{$((wx + $1)),$((wy + $2))}]" info: | cut -c1-6; }
# Polls until the pixel at (x, y) has the colour, taking screenshots.
expect_pixel() {
  local got=""
  for _ in $(seq 50); do
    shot; got=$(pixel "$1" "$2")
    [ "$got" = "$3" ] && return 0
    sleep 0.1
  done
  fail "pixel ($1, $2) is $got, expected $3 ($4)"
}

(cd "$work" && exec "$exe") & app=$!
win=$(timeout 10 xdotool search --sync --onlyvisible --name '^Lumivex' 2>/dev/null | head -n 1)
[ -n "$win" ] || fail "no window titled Lumivex appeared"
eval "$(xdotool getwindowgeometry --shell "$win")"
wx=$X; wy=$Y
[ "$WIDTH" -eq 330 ] && [ "$HEIGHT" -eq 195 ] || fail "client area is ${WIDTH}x$HEIGHT, expected 330x195"

expect_pixel $((WIDTH - 2)) $((HEIGHT - 2)) F0F0F0 "dialog face"
expect_pixel 100 100 FF0000 "panel before the click"
expect_pixel 15 12 ADADAD "button border"

# Press and release over the button (15, 12, 90 x 24): the panel turns blue.
xdotool mousemove --sync $((wx + 60)) $((wy + 24)) click 1
expect_pixel 100 100 0000FF "panel after the click"
# Press on the button, release elsewhere: no click, the panel stays blue.
# (--sync only where the pointer really moves: it waits for a motion.)
xdotool mousemove $((wx + 61)) $((wy + 25)) mousedown 1 mousemove --sync $((wx + 200)) $((wy + 150)) mouseup 1
sleep 0.3
expect_pixel 100 100 0000FF "panel after a press released elsewhere"

xdotool key Escape
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Escape did not end the program"
wait "$app"; status=$?; app=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "ui-e2e: window shown, click and release-elsewhere behave, Escape ends the program"
