#!/usr/bin/env bash
# End to end under Xvfb: lv.exe shows its main window; clicks with xdotool
# toggle the option box, run a full-screen test (left click steps, right
# click ends it); Escape ends the program. Checks pixels of screenshots read
# back from the X server. The program runs from a copy in a temporary
# folder (it keeps its data beside itself) with an update server that
# refuses at once.
set -u
build=${1:-build}
. "$(dirname "$0")/lib/xvfb.sh"
. "$(dirname "$0")/lib/pixels.sh"
e2e_program ui-e2e "$build"
e2e_require ui-e2e Xvfb xdotool import convert xdpyinfo
e2e_begin ui-e2e

fail() {
  echo "ui-e2e: FAIL: $*"
  [ -s "$work/app.log" ] && { echo "program output:"; tail -n 20 "$work/app.log"; }
  exit 1
}

cp "$exe" "$work/lv.exe"
(cd "$work" && LUMIVEX_UPDATE_SERVER=http://127.0.0.1:9 exec "$work/lv.exe" >"$work/app.log" 2>&1) & app=$!
win=$(find_window '^Lumivex')
[ -n "$win" ] || fail "no window titled Lumivex appeared"
eval "$(xdotool getwindowgeometry --shell "$win")"
wx=$X; wy=$Y
[ "$WIDTH" -eq 594 ] && [ "$HEIGHT" -eq 472 ] || fail "client area is ${WIDTH}x$HEIGHT, expected 594x472"
screen_w=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] }')
screen_h=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[2] }')

expect_pixel $((WIDTH - 4)) $((HEIGHT - 4)) F0F0F0 "window face"
# The option box (client 5, 122, 150 x 20) starts ticked: its mark crosses
# the box at (4, 7) of the 13 x 13 box drawn at (5, 125).
expect_pixel 9 132 333333 "option ticked at start"
xdotool mousemove --sync $((wx + 60)) $((wy + 132)) click 1
expect_pixel 9 132 FFFFFF "option cleared by a click"
xdotool mousemove --sync $((wx + 70)) $((wy + 131)) click 1
expect_pixel 9 132 333333 "option ticked again"
# Press on the box and release away from it: no click, still ticked.
xdotool mousemove --sync $((wx + 60)) $((wy + 132)) mousedown 1 mousemove --sync $((wx + 300)) $((wy + 440)) mouseup 1
sleep 0.3
expect_pixel 9 132 333333 "option after a press released elsewhere"

# The block-fill test button (176, 162, 75 x 75): the test covers the
# screen in blue, a left click steps to green, a right click ends it.
xdotool mousemove --sync $((wx + 213)) $((wy + 200)) click 1
wx=0; wy=0
expect_pixel $((screen_w / 2)) $((screen_h / 2)) 0000FF "full-screen test, step 0"
expect_pixel $((screen_w - 1)) $((screen_h - 1)) 0000FF "full-screen test covers the screen"
xdotool mousemove --sync $((screen_w / 2)) $((screen_h / 2 + 40)) click 1
expect_pixel $((screen_w / 2)) $((screen_h / 2)) 00FF00 "full-screen test, step 1"
xdotool click 3
wx=$X; wy=$Y
expect_pixel $((WIDTH - 4)) $((HEIGHT - 4)) F0F0F0 "main window back after the test"

# The window menu: a right click on the background opens it at the
# pointer; its last item (below restore, minimise, a separator, close and a
# separator; 22 px items, 9 px separators, from y = 2) opens About, which
# Escape closes again.
xdotool mousemove --sync $((wx + 300)) $((wy + 440)) click 3
sleep 0.5
xdotool mousemove --sync $((wx + 370)) $((wy + 440 + 97))
xdotool click 1
# Another visible window with "Lumivex" in its title than the main one.
other_window() { xdotool search --onlyvisible --name 'Lumivex' 2>/dev/null | grep -vx "$win" | head -n 1; }
about=""
for _ in $(seq 50); do about=$(other_window); [ -n "$about" ] && break; sleep 0.1; done
[ -n "$about" ] || fail "the window menu's About item opened no About dialog"
xdotool key Escape
for _ in $(seq 50); do [ -z "$(other_window)" ] && break; sleep 0.1; done
[ -z "$(other_window)" ] || fail "Escape did not close the About dialog"

xdotool mousemove --sync $((wx + 300)) $((wy + 440)) key Escape
wait_exit "$app" || fail "Escape did not end the program"
wait "$app"; status=$?; app=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "ui-e2e: main window, option box, full-screen test, window menu, About and Escape behave"
