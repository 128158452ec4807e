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
# the test and opens the dead-pixel test on its first step. Marks made with
# M in a test are written as a report when it ends: the program runs with a
# temporary home and a fake DRM folder naming one connected monitor, and the
# report's three files are checked; with a file where the documents folder's
# Lumivex/ goes, the report is written whole under the data folder instead. Then fifty rounds of launch, left clicks
# and right click on a loaded machine, each ending its test; the command
# line; last, the X server going away ends the program.
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
mkdir -p "$work/home/Documents" "$work/drm/card0-HDMI-A-1"
echo connected >"$work/drm/card0-HDMI-A-1/status"
python3 "$(dirname "$0")/lib/edid.py" "$work/drm/card0-HDMI-A-1/edid"
(cd "$work" && HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/data" LUMIVEX_DRM_DIR="$work/drm" \
  LUMIVEX_UPDATE_SERVER=http://127.0.0.1:9 exec "$work/lv.exe" >"$work/lv.log" 2>&1) & app=$!
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

# Two marks with M, then Escape: the report, and a box naming its folder.
click_main $block_fill
expect_screen 0000FF "block fill for marks" $middle
xdotool mousemove --sync 100 200 key m mousemove --sync $((sw - 1)) $((sh - 1)) key m
# The ring around (100, 200) is white on blue: its pixel 6 to the right.
expect_screen FFFFFF "a ring around the first mark" "106,200"
keep 8-marks
xdotool key Escape
reports="$work/home/Documents/Lumivex"
for _ in $(seq 50); do [ -s "$reports"/*/report.html ] 2>/dev/null && break; sleep 0.1; done
report=$(ls -d "$reports"/*/ 2>/dev/null | head -n 1)
[ -n "$report" ] || fail "no report folder under $reports"
sleep 0.5; shot; keep 9-report-box
python3 - "$report" "$sw" "$sh" <<'PY' || fail "the report's files are not as expected"
import json, struct, sys
folder, w, h = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
data = json.load(open(folder + "marks.json"))
m = data["monitor"]
assert (m["index"], m["name"], m["width"], m["height"]) == (1, "LV Monitor", w, h), m
assert (m["maker"], m["model"], m["serial"], m["made"]) == ("ABC", "1234", "SN-42", "2019-W12"), m
marks = [(k["x"], k["y"], k["pattern"], k["step"], k["color"]) for k in data["marks"]]
assert marks == [(100, 200, "block-fill", 0, "#0000FF"), (w - 1, h - 1, "block-fill", 0, "#0000FF")], marks
png = open(folder + "map.png", "rb").read()
assert png[:8] == b"\x89PNG\r\n\x1a\n" and struct.unpack(">II", png[16:24]) == ((w + 3) // 4, (h + 3) // 4)
page = open(folder + "report.html", encoding="utf-8").read()
assert 'src="map.png"' in page and "LV Monitor" in page and "<td>块填充 纯色测试</td>" in page, page
PY
xdotool key Return
expect_screen F0F0F0 "Enter closes the report's box" "$main_face"

# A documents folder that cannot take a report (a file where Lumivex/ goes):
# the report goes to the data folder whole, and the box says why.
rm -rf "$reports"; echo "not a folder" >"$reports"
click_main $block_fill
expect_screen 0000FF "block fill for a mark" $middle
xdotool mousemove --sync 300 300 key m key Escape
fallback="$work/home/data/lumivex/reports"
for _ in $(seq 50); do [ -s "$fallback"/*/report.html ] 2>/dev/null && break; sleep 0.1; done
[ -s "$(ls -d "$fallback"/*/ 2>/dev/null | head -n 1)report.html" ] || fail "no report under $fallback"
[ "$(cat "$reports")" = "not a folder" ] || fail "the file in the documents folder was changed"
sleep 0.5; shot; keep 9-report-fallback-box
xdotool key Return
expect_screen F0F0F0 "Enter closes the fallback report's box" "$main_face"

click_rounds 50 "bare server"

xdotool mousemove --sync $((wx + 300)) $((wy + 440)) key Escape
wait_exit "$app" || fail "Escape did not end the program"
wait "$app"; status=$?; app=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# From the command line: a pattern at once, without the main window; N and
# P across the table's end; Escape ends the program.
run_test() { (cd "$work" && exec "$work/lv.exe" --test "$@" >"$work/lv.log" 2>&1) & app=$!; }
run_test grid
# Lines every 64 pixels, the last column and row, a point of the green
# circle (radius 480 around (640, 512)) and the pixel under it.
grid_white="64,500 1279,700 700,1023"
grid_black="65,501 740,44 900,900"
expect_screen FFFFFF "--test grid: lines" $grid_white
expect_screen 00FF00 "--test grid: circle" "740,43"
expect_screen 000000 "--test grid: between the lines" $grid_black
keep 6-test-grid
xdotool key n
expect_screen 000000 "N after the grid: the flasher's warning on black" $corners
# The step key by habit starts no flashing: the warning stays.
xdotool key space
sleep 0.5
expect_screen 000000 "Space on the flasher's warning: still the warning" $corners
# The moving patterns follow: the lanes' separators (grey, a third of the
# area above the chip's strip apart) never lie under a moving object.
xdotool key n
expect_screen 404040 "N after the flasher: the motion lanes' separator" "$((sw - 1)),$(((sh - 24) / 3 - 1))" "0,$(((sh - 24) / 3))"
xdotool key n key n key n key n
expect_screen 000000 "N to the last pattern: the vsync warning on black" $corners
xdotool key n
expect_screen FFFFFF "N after the last pattern: the dead-pixel test, white" $middle $corners
xdotool key p
expect_screen 000000 "P back to the vsync warning" $corners
xdotool key p key p key p key p
expect_screen 404040 "P back to the motion lanes" "$((sw - 1)),$(((sh - 24) / 3 - 1))"
xdotool key p
expect_screen 000000 "P back to the flasher" $corners
xdotool key p
expect_screen FFFFFF "P back to the grid: lines" $grid_white
expect_screen 000000 "P back to the grid: between the lines" $grid_black
xdotool key p
expect_screen FFFFFF "P again: the sharpness checkerboard's white" "0,0" "1,1" "$((sw - 1)),$((sh - 1))"
expect_screen 000000 "P again: the sharpness checkerboard's black" "1,0" "0,1" "$((sw - 2)),$((sh - 1))"
xdotool key Escape
wait_exit "$app" || fail "Escape did not end the --test run"
wait "$app"; status=$?; app=""
[ "$status" -eq 0 ] || fail "the --test run ended with status $status"

# The gamma chart's red step on a 1280 wide screen: squares of 160 from
# x = 160, 40 apart, from y = 432; rows alternate red and black around them.
run_test gamma --step 1
expect_screen AE0000 "--test gamma: the 1.8 square, first and last pixels" "160,432" "319,591"
expect_screen C30000 "--test gamma: the 2.6 square, first and last pixels" "960,432" "1119,591"
expect_screen FF0000 "--test gamma: even rows" "159,432" "50,1000" "1279,0"
expect_screen 000000 "--test gamma: odd rows" "50,1001" "320,433" "1279,1023"
keep 7-test-gamma
xdotool key Escape
wait_exit "$app" || fail "Escape did not end the gamma run"
app=""

# The grid's centre is green where its arms lie on grid lines (both do at
# 1280 x 1024). A mark is ringed by a dark and a light circle: on black
# the light one shows, on a grid line the dark one. The loupe near the
# corner: its frame's light outer line shows on black, cells off the
# screen are hatched in two greys.
run_test grid
expect_screen 00FF00 "--test grid: the cross's arms" "640,482" "610,512" "640,512"
xdotool mousemove --sync 300 100 key m mousemove --sync 192 100 key m
expect_screen FFFFFF "a mark's light outer circle on black" "307,100" "192,93"
expect_screen 000000 "a mark's dark inner circle on a grid line" "192,94"
xdotool mousemove --sync 3 3 key z
expect_screen FFFFFF "the loupe's light outer line on black" "26,100"
expect_screen C0C0C0 "off-screen loupe cells: light stripes" "28,28" "29,28"
expect_screen 404040 "off-screen loupe cells: dark stripes" "30,28" "28,31"
keep 10-grid-marks-loupe
# C takes the marks away: no report to write when the test ends.
xdotool key c key Escape
wait_exit "$app" || fail "Escape did not end the grid run"
app=""

# The black-level squares (side 32 from x = 144, y = 496, a side apart)
# carry their level in a grey 32 levels lighter, or darker on white.
run_test black-level
number_in_square() { # STEP-COLOUR SQUARE-INDEX
  local i
  for i in $(seq 50); do
    shot
    convert "$work/shot.png" -crop "32x32+$((144 + 64 * $2))+496" -format %c histogram:info:- | grep -qi "#$1" && return 0
    sleep 0.1
  done
  return 1
}
number_in_square 212121 0 || fail "no number in grey 33 on the square of level 1"
number_in_square 303030 15 || fail "no number in grey 48 on the square of level 16"
keep 11-black-level-numbers
xdotool click 1
number_in_square CFCFCF 0 || fail "no number in grey 207 on the square of level 239"
xdotool key Escape
wait_exit "$app" || fail "Escape did not end the black-level run"
app=""

# --list: every pattern, one a line; an unknown name or monitor: exit 2
# with one line on stderr, nothing on stdout.
"$work/lv.exe" --list >"$work/list.txt" || fail "--list failed"
# As many as README names (a unit test holds README to the pattern table).
count=$(grep -o '[0-9]* patterns in all' "$(dirname "$0")/../../README.md" | head -1 | cut -d' ' -f1)
[ "$(wc -l <"$work/list.txt")" -eq "${count:-0}" ] || fail "--list printed $(wc -l <"$work/list.txt") lines, README says $count"
grep -qx 'grid            几何' "$work/list.txt" || fail "--list has no line for the grid"
refused() {
  local expected=$1; shift
  "$work/lv.exe" "$@" >"$work/out.txt" 2>"$work/err.txt"; status=$?
  [ "$status" -eq 2 ] || fail "$*: status $status, expected 2"
  [ ! -s "$work/out.txt" ] && [ "$(wc -l <"$work/err.txt")" -eq 1 ] || fail "$*: not one line on stderr alone"
  grep -qF "$expected" "$work/err.txt" || fail "$*: the message does not say \"$expected\": $(cat "$work/err.txt")"
}
refused '没有名为 "nope" 的测试图案 (可用的图案: dead-pixel,' --test nope
refused "现有的显示器: 1 (" --test grid --monitor 99

# The X server going away ends the program; it does not hang.
(cd "$work" && LUMIVEX_UPDATE_SERVER=http://127.0.0.1:9 exec "$work/lv.exe" >"$work/lv.log" 2>&1) & app=$!
[ -n "$(find_window '^Lumivex')" ] || fail "the program did not start again"
kill "$xvfb"; wait "$xvfb" 2>/dev/null; xvfb=""
wait_exit "$app" || fail "the program still runs 5 s after the X server went away"
app=""
echo "screentest-e2e: blue, left click green, right click back; no text with the option off; gradient; Escape and Enter end tests; input queued while held reaches the window shown; two marks reported, a report kept under the data folder when the documents folder cannot take it; fifty click rounds; --test grid and gamma, N and P across the table's end, the grid's green centre, two-tone rings and loupe frame, hatched loupe cells, numbered black-level squares, --list, unknown name and monitor; the X server going away ends the program (screenshots in $shots)"
