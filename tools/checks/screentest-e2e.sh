#!/usr/bin/env bash
# The screen tests end to end under Xvfb: lv.exe's block-fill button covers
# the whole screen in blue with the information lines, a left click steps to
# green, a right click returns to the main window; with the option cleared no
# text is drawn and Escape ends the test; the vertical gradient ramps to white
# at column 255 and Enter ends it. Screenshots of each state are kept in
# <build>/screentest-e2e/. The program runs from a copy in a temporary folder
# with an update server that refuses at once. Then input queued while the
# program is held (stopped): a launch with 0, 1 or 3 clicks queued behind
# it shows that step, and a right click queued with the next launch ends
# the test and opens the dead-pixel test on its first step. Last, fifty
# rounds of launch, left clicks and right click on a loaded machine, each
# ending its test. Last, the X server going away ends the program.
set -u
build=${1:-build}
. "$(dirname "$0")/lib/xvfb.sh"
. "$(dirname "$0")/lib/pixels.sh"
. "$(dirname "$0")/lib/rounds.sh"
e2e_program screentest-e2e "$build"
shots=$(cd "$build" && pwd)/screentest-e2e
mkdir -p "$shots"
e2e_require screentest-e2e Xvfb xdotool import convert xdpyinfo
e2e_begin screentest-e2e

fail() {
  echo "screentest-e2e: FAIL: $*"
  kill -0 "$app" 2>/dev/null || echo "screentest-e2e: the program is no longer running"
  [ -s "$work/lv.log" ] && tail -n 20 "$work/lv.log"
  exit 1
}
keep() { cp "$work/shot.png" "$shots/$1.png"; }
# A left click at client (x, y) of the main window.
click_main() { xdotool mousemove --sync $((wx + $1)) $((wy + $2)) click 1; }

cp "$exe" "$work/lv.exe"
(cd "$work" && LUMIVEX_UPDATE_SERVER=http://127.0.0.1:9 exec "$work/lv.exe" >"$work/lv.log" 2>&1) & app=$!
win=$(find_window '^Lumivex')
[ -n "$win" ] || fail "no window titled Lumivex appeared"
eval "$(xdotool getwindowgeometry --shell "$win")"
wx=$X; wy=$Y; ww=$WIDTH; wh=$HEIGHT
sw=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] }')
sh=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[2] }')
main_face="$((wx + ww - 4)),$((wy + wh - 4))"
expect_screen F0F0F0 "main window" "$main_face"
corners="0,0 $((sw - 1)),0 0,$((sh - 1)) $((sw - 1)),$((sh - 1))"
middle="$((sw / 2)),$((sh / 2))"
# Inside the leading space of the first information line (x 100, y 100, 16 px high).
info="104,108"

# Buttons of the main window (75 x 75, laid out from x = 30 at a pitch of 146;
# rows at y = 162 and 304): block fill 2nd in row 1, vertical gradient 4th in row 2.
block_fill="213 199"
v_gradient="505 341"
dead_pixel="67 199"

click_main $block_fill
expect_screen 0000FF "block fill, step 0, covers the screen" $middle $corners
expect_screen FFFFFF "information line on opaque white" "$info"
keep 1-block-fill-blue
xdotool mousemove --sync $((sw / 2)) $((sh / 2)) click 1
expect_screen 00FF00 "left click steps to green" $middle $corners
expect_screen FFFFFF "information line after the click" "$info"
keep 2-block-fill-green
xdotool click 3
expect_screen F0F0F0 "right click returns to the main window" "$main_face"
shot; [ "$(pixel_at $((sw - 1)) $((sh - 1)))" != 00FF00 ] || fail "the test window still covers the screen"
keep 3-main-window

# The option box (client 5, 122, 150 x 20) cleared: no information lines.
click_main 60 132
# The box's mark crosses it at (9, 132) while ticked.
expect_screen FFFFFF "option box cleared" "$((wx + 9)),$((wy + 132))"
click_main $block_fill
expect_screen 0000FF "block fill without information lines" $middle "$info"
keep 4-block-fill-no-text
xdotool key Escape
expect_screen F0F0F0 "Escape returns to the main window" "$main_face"

# The vertical gradient: blue at column 0, white at 255 and 765.
click_main $v_gradient
expect_screen 0000FF "gradient, column 0" "0,$((sh / 2))" "510,$((sh / 2))"
expect_screen FFFFFF "gradient, white columns" "255,$((sh / 2))" "765,$((sh / 2))"
keep 5-vertical-gradient
xdotool key Return
expect_screen F0F0F0 "Enter returns to the main window" "$main_face"

# Held while the input queues: the X server addresses it to the windows
# it sees then, the main window for clicks made before the test shows.
held() { kill -STOP "$app"; "$@"; kill -CONT "$app"; }
launch_and_click() { click_main $block_fill; for _ in $(seq "$1"); do xdotool click 1; done; }
end_and_launch() { xdotool click 3; click_main $dead_pixel; }
steps=(0000FF 00FF00 FF0000 FFFF00)
for n in 0 1 3; do
  held launch_and_click "$n"
  expect_screen "${steps[$n]}" "held launch with $n clicks queued shows step $n" $middle $corners
  held end_and_launch
  expect_screen FFFFFF "held right click and launch: the dead-pixel test on its first step" $middle $corners
  xdotool click 3
  expect_screen F0F0F0 "right click ends the dead-pixel test" "$main_face"
done

click_rounds 50 "bare server"

xdotool mousemove --sync $((wx + 300)) $((wy + 440)) key Escape
wait_exit "$app" || fail "Escape did not end the program"
wait "$app"; status=$?; app=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# The X server going away ends the program; it does not hang.
(cd "$work" && LUMIVEX_UPDATE_SERVER=http://127.0.0.1:9 exec "$work/lv.exe" >"$work/lv.log" 2>&1) & app=$!
[ -n "$(find_window '^Lumivex')" ] || fail "the program did not start again"
kill "$xvfb"; wait "$xvfb" 2>/dev/null; xvfb=""
wait_exit "$app" || fail "the program still runs 5 s after the X server went away"
app=""
echo "screentest-e2e: blue, left click green, right click back; no text with the option off; gradient; Escape and Enter end tests; input queued while held reaches the window shown; fifty click rounds; the X server going away ends the program (screenshots in $shots)"
