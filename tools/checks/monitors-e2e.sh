#!/usr/bin/env bash
# The test window on real displays, driven by real keys: under Xvfb with one
# monitor (Space steps, Tab is ignored, Escape ends); under a nested weston
# with two outputs of different sizes (the test starts on the first, Tab
# moves it to the second, which then shows the pattern at its size with the
# fourth information line, Tab returns, Shift+Tab goes back); and under
# weston at scale 2, where the test window's back buffer has the output's
# device size; lv.exe's test moved between two outputs of one size; and
# lv.exe itself under weston. The window's own back buffer
# and sizes are checked by the
# screen test binary's TestWndOnScreenChild, stage by stage; this script
# sends the keys and checks the compositor's screenshots. Screenshots are
# kept in <build>/monitors-e2e/.
set -u
build=${1:-build}
. "$(dirname "$0")/lib/xvfb.sh"
. "$(dirname "$0")/lib/pixels.sh"
. "$(dirname "$0")/lib/weston.sh"
child=$(cd "$build" 2>/dev/null && pwd)/bin/test_screentest
[ -x "$child" ] || { echo "monitors-e2e: no test binary at $child"; exit 1; }
shots=$(cd "$build" && pwd)/monitors-e2e
mkdir -p "$shots"
e2e_require monitors-e2e Xvfb xdotool import convert xdpyinfo weston

fail() {
  echo "monitors-e2e: FAIL ($scenario): $*"
  [ -s "$work/shot.png" ] && cp "$work/shot.png" "$shots/$scenario-failed.png"
  [ -s "$work/lv.log" ] && cp "$work/lv.log" "$shots/$scenario-failed.log"
  [ -s "$work/child.log" ] && grep -E "Failure|Expected|Which|actual|FAILED|stage" "$work/child.log" | head -n 20
  exit 1
}
# Waits until the child reports `state`.
reached() {
  for _ in $(seq 200); do grep -qx "$1" "$work/state" 2>/dev/null && return 0; sleep 0.05; done
  kill -0 "$app" 2>/dev/null || fail "the test ended before \"$1\""
  fail "the test window did not report \"$1\""
}
# Polls until screen point ($2, $3) of the Xvfb has colour $1.
shows() {
  local got=""
  for _ in $(seq 40); do
    shot; got=$(pixel_at "$2" "$3")
    [ "$got" = "$1" ] && return 0
    sleep 0.1
  done
  fail "$4: pixel ($2, $3) is $got, expected $1"
}
keep() { cp "$work/shot.png" "$shots/$scenario-$1.png"; }
start_child() { # sizes
  rm -f "$work/state"
  LV_CHECK_DIR=$work LV_CHECK_SIZES=$1 "$child" --gtest_filter='TestWndOnScreenChild.*' >"$work/child.log" 2>&1 & app=$!
}
finish_child() {
  wait_exit "$app" || fail "Escape did not end the test"
  wait "$app"; local status=$?; app=""
  [ "$status" -eq 0 ] || fail "the test window's own checks failed"
  grep -qx ended "$work/state" || fail "the test did not end through Escape"
}

scenario=x11
e2e_begin monitors-e2e 1280x1024x24
start_child 1280x1024
reached blue
shows 0000FF 640 600 "the test covers the screen"
xdotool mousemove 8 1000 key space
reached green
shows 00FF00 1279 1023 "Space steps to green"
xdotool key Tab
sleep 0.5
shot; [ "$(pixel_at 1279 1023)" = 00FF00 ] || fail "Tab with one monitor changed the picture"
grep -q second "$work/state" && fail "Tab moved the test with one monitor"
keep one-monitor
xdotool key Escape
finish_child
e2e_cleanup; trap - EXIT

scenario=wayland-two-outputs
e2e_begin monitors-e2e 2304x1024x24
weston_begin monitors-e2e "$(printf '[shell]\npanel-position=none\n[output]\nname=X1\nmode=1280x1024\n[output]\nname=X2\nmode=1024x768')" 2
xdotool windowmove "$(weston_output 1)" 0 0 windowmove "$(weston_output 2)" 1280 0
start_child 1280x1024,1024x768
reached blue
shows 0000FF 640 600 "the test starts on the first output"
xdotool mousemove 8 1000 key space
reached green
shows 00FF00 1279 1023 "Space steps to green"
keep 1-first-output
xdotool key Tab
reached second
shows 00FF00 $((1280 + 1023)) 767 "Tab moves the test to the second output"
shot; [ "$(pixel_at 640 600)" != 00FF00 ] || fail "the first output still shows the test"
keep 2-second-output
xdotool key Tab
reached primary
shows 00FF00 640 600 "Tab again returns to the first output"
xdotool key shift+Tab
reached "second again"
shows 00FF00 $((1280 + 512)) 600 "Shift+Tab goes back to the second output"
xdotool key Escape
finish_child
e2e_cleanup; trap - EXIT

scenario=wayland-scale-2
e2e_begin monitors-e2e 1280x1024x24
weston_begin monitors-e2e "$(printf '[shell]\npanel-position=none\n[output]\nname=X1\nmode=640x512\nscale=2')"
start_child 1280x1024
reached blue
shows 0000FF 1279 1023 "the test covers the scaled output"
xdotool mousemove 8 1000 key space
reached green
keep scaled
xdotool key Escape
finish_child

e2e_cleanup; trap - EXIT

# Two outputs of one size, where nothing but the place tells them apart:
# lv.exe's test from the command line, moved by Tab four times, must cover
# the output its information line names each time (the fourth line, the
# monitor's, shows only off the primary), and the same when it starts with
# --monitor 2. Both outputs are called "none" by the compositor: the line
# names the monitor by its size and place instead, which runs longer.
scenario=wayland-same-outputs
e2e_begin monitors-e2e 1600x600x24
weston_begin monitors-e2e "$(printf '[shell]\npanel-position=none\nbackground-color=0xff203040\n[output]\nname=X1\nmode=800x600\n[output]\nname=X2\nmode=800x600')" 2
xdotool windowmove "$(weston_output 1)" 0 0 windowmove "$(weston_output 2)" 800 0
mkdir -p "$work/lv" && cp "$(cd "$build" && pwd)/bin/lv.exe" "$work/lv/lv.exe"
# The mean brightness of a strip of the information lines on output $1.
strip() { convert "$work/shot.png" -crop "$2"+$(($1 * 800 + $3))+"$4" +repage -format '%[fx:round(100*mean)]' info:; }
# Waits until output $1 shows the test with the monitor line ($2: yes or
# no) and the other output shows the compositor's background.
covers() {
  local other=$((1 - $1)) first="" fourth="" bare=""
  for _ in $(seq 50); do
    shot
    first=$(strip "$1" 150x14 110 101); fourth=$(strip "$1" 150x14 110 161)
    bare=$(pixel_at $((other * 800 + 700)) 500)
    if [ "$first" -gt 50 ] && [ "$bare" = 203040 ]; then
      if [ "$2" = yes ] && [ "$fourth" -gt 50 ]; then return 0; fi
      if [ "$2" = no ] && [ "$fourth" -lt 10 ]; then return 0; fi
    fi
    sleep 0.1
  done
  fail "$3: output $(($1 + 1)) information lines $first/$fourth%, other output at ($((other * 800 + 700)), 500) $bare (monitor line expected: $2)"
}
run_tabs() { # first output, then each Tab alternates
  local on=$1 line i
  for i in 0 1 2 3 4; do
    if [ "$on" -eq 1 ]; then line=yes; else line=no; fi
    covers "$on" $line "$2 after $i Tab"
    if [ $line = yes ]; then
      keep "$2-tab-$i"
      [ "$(strip 1 60x14 340 161)" -gt 50 ] || fail "$2: the monitor line does not name the monitor by its size and place"
    fi
    [ "$i" -lt 4 ] && xdotool key Tab
    on=$((1 - on))
  done
  xdotool key Escape
  test_ended "Escape"
}
test_ended() {
  wait_exit "$app" || fail "$1 did not end the test"
  wait "$app"; local status=$?; app=""
  [ "$status" -eq 0 ] || fail "the test ended by $1 with status $status"
}
(cd "$work/lv" && LUMIVEX_UPDATE_SERVER=http://127.0.0.1:9 exec ./lv.exe --test grid >"$work/lv.log" 2>&1) & app=$!
run_tabs 0 grid
(cd "$work/lv" && LUMIVEX_UPDATE_SERVER=http://127.0.0.1:9 exec ./lv.exe --test grid --monitor 2 >"$work/lv.log" 2>&1) & app=$!
run_tabs 1 monitor-2
e2e_cleanup; trap - EXIT

# The program itself under weston: its main window (found as the box of its
# face colour, as the compositor places it) framed by the program, its title
# bar dark while the window has the keyboard and grey without it; a picture
# button's hover look shown and cleared when the pointer leaves the window, a
# test opened with a click, stepped with Space (the pointer hiding over it
# when still) and ended with Escape, and a second Escape ending the program,
# the keyboard back on the main window. Started again: the About dialog takes
# the keyboard and gives it back when Escape closes it, and after a test the
# close box ends the program. Without the frame's plugin it runs frameless.
scenario=wayland-program
e2e_begin monitors-e2e 1280x1024x24
weston_begin monitors-e2e "$(printf '[shell]\npanel-position=none\nbackground-color=0xff203040\n[output]\nname=X1\nmode=1280x1024')"
exe=$(cd "$build" && pwd)/bin/lv.exe
mkdir -p "$work/lv" && cp "$exe" "$work/lv/lv.exe"
# Starts the program (with the environment settings given) and finds its
# main window's client area at $wx, $wy.
start_program() {
  # The pointer's image sits off the screen, out of the face-colour box.
  xdotool mousemove 1279 1023
  (cd "$work/lv" && LUMIVEX_UPDATE_SERVER=http://127.0.0.1:9 exec env "$@" ./lv.exe >"$work/lv.log" 2>&1) & app=$!
  box=""
  for _ in $(seq 100); do
    shot; box=$(convert "$work/shot.png" -fill black +opaque "#F0F0F0" -format %@ info: 2>/dev/null)
    [ "${box%%+*}" = 594x472 ] && break
    sleep 0.1
  done
  [ "${box%%+*}" = 594x472 ] || fail "no 594 x 472 main window on the compositor's screen (face box $box)"
  wx=$(echo "$box" | cut -d+ -f2); wy=$(echo "$box" | cut -d+ -f3)
}
# The frame, drawn through libdecor's plugin: a 24-pixel title bar above the
# client area.
active=080706
inactive=303030
title_is() { expect_pixel 10 -12 "$1" "$2"; }
# The block-fill picture button: outline at client (176, 209), centre (213,
# 199). The compositor tells the program of the pointer only once its window
# is under it: the pointer moves a little until the hover look shows.
hover_block_fill() {
  for i in $(seq 40); do
    xdotool mousemove $((wx + 212 + i % 2)) $((wy + 199))
    shot; [ "$(pixel_at $((wx + 176)) $((wy + 209)))" = 578EB8 ] && break
    sleep 0.1
  done
  shows 578EB8 $((wx + 176)) $((wy + 209)) "hover look over the picture button"
}
end_test() {
  xdotool mousemove 8 1000 key Escape
  shows F0F0F0 $((wx + 590)) $((wy + 468)) "Escape returns to the main window"
  title_is $active "the keyboard back on the main window after the test"
}
ended() {
  wait_exit "$app" || fail "$1 did not end the program"
  wait "$app"; local status=$?; app=""
  [ "$status" -eq 0 ] || fail "the program ended by $1 with status $status"
}

start_program
title_is $active "the main window framed, with the keyboard"
keep 1-main-window
hover_block_fill
if [ "$wx" -gt 20 ]; then out_x=5; else out_x=$((wx + 700)); fi
xdotool mousemove $out_x $((wy + 199))
shows 155C93 $((wx + 176)) $((wy + 209)) "hover look cleared once the pointer left the window"
xdotool mousemove $((wx + 213)) $((wy + 199)) click 1
shows 0000FF 1279 1023 "the block fill covers the output"
xdotool mousemove 8 1000 key space
shows 00FF00 1279 1023 "Space steps to green"
keep 2-test
# The compositor draws the pointer into its output: over the pattern it is
# gone a second after the last motion, and a motion brings it back.
colours_at() { convert "$work/shot.png" -crop 24x24+$1+$2 +repage -format %c histogram:info:- | wc -l; }
xdotool mousemove 640 500 sleep 0.2 mousemove 641 501
sleep 1.5; shot
[ "$(colours_at 641 501)" -eq 1 ] || { keep pointer-failed; fail "the pointer still shows over the pattern 1.5 s after it stopped"; }
xdotool mousemove 700 520
for _ in $(seq 20); do shot; [ "$(colours_at 700 520)" -gt 1 ] && break; sleep 0.1; done
[ "$(colours_at 700 520)" -gt 1 ] || fail "a motion did not bring the pointer back over the pattern"
end_test
xdotool key Escape
ended "a second Escape"

start_program
title_is $active "the main window framed again"
# The About button, at client (490, 15).
xdotool mousemove $((wx + 490)) $((wy + 15)) sleep 0.2 mousemove $((wx + 491)) $((wy + 15)) sleep 0.2 click 1
title_is $inactive "the About dialog took the keyboard"
keep 3-about
xdotool key Escape
title_is $active "the keyboard back on the main window after the About dialog"
hover_block_fill
xdotool click 1
shows 0000FF 1279 1023 "the block fill covers the output again"
end_test
keep 4-after-test
xdotool mousemove $((wx + 582)) $((wy - 12)) sleep 0.2 mousemove $((wx + 583)) $((wy - 12)) sleep 0.2 click 1
ended "the close box"

# Without the frame's plugin the program runs frameless: a test ends with
# Escape and a second Escape ends the program.
mkdir "$work/no-plugins"
start_program LIBDECOR_PLUGIN_DIR="$work/no-plugins"
[ "$wy" -lt 12 ] || title_is 203040 "no title bar without the plugin"
hover_block_fill
xdotool click 1
shows 0000FF 1279 1023 "the block fill covers the output without a frame"
xdotool mousemove 8 1000 key Escape
shows F0F0F0 $((wx + 590)) $((wy + 468)) "Escape returns to the frameless main window"
xdotool key Escape
ended "Escape in the frameless window"

echo "monitors-e2e: one monitor ignores Tab; two outputs: Tab, Tab, Shift+Tab move the test; scale 2 draws device pixels; on two outputs of one size Tab moves lv.exe's test where its monitor line says, from the primary and from --monitor 2, naming the monitor by size and place; Space steps and Escape ends everywhere; the program runs under weston framed, with hover, test (no pointer over it when still), the keyboard back after a test and a dialog, exit by Escape and by the close box, and frameless without the plugin (screenshots in $shots)"
