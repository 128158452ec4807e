#!/usr/bin/env bash
# The guided inspection end to end under Xvfb, driven by keys and clicks as
# a person makes it, with a temporary home (its documents folder) and a
# fake DRM folder naming one connected monitor. lv.exe --inspect: marks in
# the lit, dark and sub-pixel checks (M and the middle button) after D,
# the uniformity answered fine, the black-level and white picks moved with
# the arrows, a gamma pick, sharpness skipped, geometry fine, ten seconds
# of the motion check measured (its figures recorded); the last screen, inspection.json read back with Python, and report.html rendered
# by a headless browser into a picture that must show something. Then a
# stopped inspection after 1,001 marks in one check (1,000 kept, the cap
# said on screen) with the documents folder unable to take the report: it
# goes to the data folder, with the check under way and no class. Last,
# --inspect with --test: one line, status 2; and I in a running test
# inspects its monitor, then shows the test again. Screenshots and the
# rendering are kept in <build>/inspect-e2e/.
set -u
build=${1:-build}
. "$(dirname "$0")/lib/xvfb.sh"
. "$(dirname "$0")/lib/pixels.sh"
e2e_program inspect-e2e "$build"
shots=$(cd "$build" && pwd)/inspect-e2e
mkdir -p "$shots"
e2e_require inspect-e2e Xvfb xdotool import convert python3 chromium
e2e_begin inspect-e2e

fail() {
  echo "inspect-e2e: FAIL: $*"
  [ -n "$app" ] && ! kill -0 "$app" 2>/dev/null && echo "inspect-e2e: the program is no longer running"
  [ -s "$work/lv.log" ] && tail -n 20 "$work/lv.log"
  exit 1
}
keep() { cp "$work/shot.png" "$shots/$1.png"; }
# The screens the inspection draws instead of a pattern, and the patterns.
screen=202020
corner="5,5"
middle="640,512"
keys() { xdotool "$@"; sleep 0.15; }

mkdir -p "$work/home/Documents" "$work/drm/card0-HDMI-A-1"
echo connected >"$work/drm/card0-HDMI-A-1/status"
python3 "$(dirname "$0")/lib/edid.py" "$work/drm/card0-HDMI-A-1/edid"
inspect() {
  (cd "$work" && HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/data" \
    LUMIVEX_DRM_DIR="$work/drm" exec "$exe" --inspect "$@" >"$work/lv.log" 2>&1) & app=$!
}

inspect
expect_screen $screen "the first check's instruction" $corner
shot; keep 1-instruction
# Lit pixels: two marks, one with M and one with the middle button.
keys key space
expect_screen 000000 "lit pixels on black" $middle $corner
keys key d
keys mousemove --sync 200 300 key m
keys mousemove --sync 600 500 click 2
expect_screen FFFFFF "a ring around the middle-button mark" "606,500"
shot; keep 2-lit-marks
keys key space
expect_screen $screen "the dark-pixel instruction" $corner
keys key space
expect_screen FFFFFF "dark pixels on white" $middle $corner
keys key d
keys mousemove --sync 400 400 key m
keys key space key space
# Sub-pixels: red, then green with a mark, then blue.
expect_screen FF0000 "sub-pixels on red" $middle
keys key space
expect_screen 00FF00 "sub-pixels on green" $middle
keys key d
keys mousemove --sync 800 600 click 2
keys key space
expect_screen 0000FF "sub-pixels on blue" $middle
keys key space
expect_screen $screen "the uniformity instruction" $corner
for colour in 0D0D0D 404040 808080 000000; do
  keys key space
  expect_screen $colour "uniformity on $colour" $middle
done
# Black level: the third square; white: one left of the last; gamma: 2.0.
keys key space key space
expect_screen 000000 "the black-level chart" $corner
keys key Right key Right
shot; keep 3-black-level-pick
keys key Return
expect_screen $screen "the white-saturation instruction" $corner
keys key space key Left key Return
keys key space
expect_screen FFFFFF "the gamma chart's stripes" "0,0"
keys key Right key Return
# Sharpness skipped from its instruction; geometry fine; then the motion
# check measures the frame-skip pattern for ten seconds, unanswered.
keys key s key space key space
expect_screen $screen "the motion check's instruction" $corner
keys key space
sleep 1; shot; keep 4-motion
[ "$(pixel_at 5 5)" != $screen ] || fail "the motion check's pattern did not show"
reports="$work/home/Documents/Lumivex"
for _ in $(seq 150); do [ -s "$(ls -d "$reports"/*/ 2>/dev/null | head -n 1)inspection.json" ] && break; sleep 0.1; done
report=$(ls -d "$reports"/*/ 2>/dev/null | head -n 1)
[ -n "$report" ] || fail "no report folder under $reports"
expect_screen $screen "the last screen" $corner
sleep 0.3; shot; keep 5-last-screen
python3 - "$report" <<'PY' || fail "inspection.json is not as expected"
import json, math, sys
d = json.load(open(sys.argv[1] + "inspection.json", encoding="utf-8"))
assert d["monitor"]["name"] == "LV Monitor" and d["monitor"]["maker"] == "ABC", d["monitor"]
assert (d["width"], d["height"]) == (1280, 1024), d
checks = [(c["name"], c["answer"], [(m["x"], m["y"], m["type"]) for m in c["marks"]]) for c in d["checks"]]
assert checks == [
    ("lit-pixels", "defect", [(200, 300, 1), (600, 500, 1)]),
    ("dark-pixels", "defect", [(400, 400, 2)]),
    ("sub-pixels", "defect", [(800, 600, 3)]),
    ("uniformity", "fine", []),
    ("black-level", "fine", []),
    ("white-saturation", "fine", []),
    ("gamma", "fine", []),
    ("sharpness", "skipped", []),
    ("geometry", "fine", []),
    ("motion", "fine", []),
], checks
assert (d["darkest_level"], d["lightest_level"]) == (3, 253), d
assert math.isclose(d["gamma"], math.log(0.5) / math.log(180 / 255), abs_tol=0.01), d["gamma"]
assert d["pixel_fault_class"] == "II", d["pixel_fault_class"]
assert d["refresh_hz"] > 0 and d["frames_held"] >= 0 and d["frames_dropped"] >= 0, d
PY
[ -s "$report/map.png" ] || fail "no map.png in $report"

# Any key ends the program once the last screen is shown.
keys key space
wait_exit "$app" || fail "a key on the last screen did not end the program"
wait "$app"; status=$?; app=""
[ "$status" -eq 0 ] || fail "the inspection ended with status $status"

# The page as a browser prints it, into the check's folder.
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1000,1700 \
  --user-data-dir="$work/chromium" --screenshot="$work/report.png" "file://${report}report.html" >/dev/null 2>&1
[ -s "$work/report.png" ] || fail "the browser rendered no picture of report.html"
colours=$(convert "$work/report.png" -format "%k" info:)
[ "$colours" -gt 2 ] || fail "the rendering of report.html is blank ($colours colours)"
cp "$work/report.png" "$shots/report.png"

# Stopped with Escape twice after 1,001 marks, the documents folder unable
# to take the report.
rm -rf "$reports"; echo "not a folder" >"$reports"
inspect --monitor 1
expect_screen $screen "the second inspection's instruction" $corner
keys key space key d
keys mousemove --sync 100 700 key m
# A thousand more marks in the same check, clicked faster than they are
# drawn: each lands where it was clicked, and the cap keeps 1,000 and says so.
marks=()
for i in $(seq 0 999); do marks+=(mousemove $((200 + i % 50 * 10)) $((300 + i / 50 * 10)) click --delay 0 2); done
xdotool "${marks[@]}"
expect_screen FFFFFF "the notice that no more marks fit" "102,186"
shot; keep 6-marks-full
keys key Escape
expect_screen $screen "the question whether to stop" $corner
keys key Escape
fallback="$work/home/data/lumivex/reports"
for _ in $(seq 50); do [ -s "$(ls -d "$fallback"/*/ 2>/dev/null | head -n 1)inspection.json" ] && break; sleep 0.1; done
stopped=$(ls -d "$fallback"/*/ 2>/dev/null | head -n 1)
[ -n "$stopped" ] || fail "no report under $fallback"
[ "$(cat "$reports")" = "not a folder" ] || fail "the file in the documents folder was changed"
sleep 0.3; shot; keep 7-stopped-fallback
python3 - "$stopped" <<'PY' || fail "the stopped inspection's record is not as expected"
import json, sys
d = json.load(open(sys.argv[1] + "inspection.json", encoding="utf-8"))
checks = [(c["name"], c["answer"], [(m["x"], m["y"], m["type"]) for m in c["marks"]]) for c in d["checks"]]
assert [c[:2] for c in checks] == [("lit-pixels", "defect")], checks
marks = checks[0][2]
assert len(marks) == 1000 and marks[0] == (100, 700, 1) and marks[-1] == (680, 490, 1), marks[-3:]
assert d["pixel_fault_class"] is None and d["gamma"] is None, d
PY
keys key Return
wait_exit "$app" || fail "a key on the stopped inspection's last screen did not end the program"
wait "$app"; app=""

# --inspect with --test: one line on standard error, status 2.
"$exe" --inspect --test grid >"$work/out.txt" 2>"$work/err.txt"; status=$?
[ "$status" -eq 2 ] || fail "--inspect --test ended with status $status"
[ "$(wc -l <"$work/err.txt")" -eq 1 ] && [ ! -s "$work/out.txt" ] || fail "--inspect --test did not say one line: $(cat "$work/err.txt")"
# I in a running test: the inspection of its monitor, stopped at once,
# then the test again as it was.
(cd "$work" && HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/data" \
  LUMIVEX_DRM_DIR="$work/drm" exec "$exe" --test grid >"$work/lv.log" 2>&1) & app=$!
expect_screen FFFFFF "--test grid: its lines" "64,500" "1279,700"
keys key i
expect_screen $screen "I: the inspection's first instruction" $corner
keys key Escape key Escape
for _ in $(seq 50); do [ "$(ls -d "$fallback"/*/ | wc -l)" -eq 2 ] && break; sleep 0.1; done
[ "$(ls -d "$fallback"/*/ | wc -l)" -eq 2 ] || fail "the inspection started with I wrote no report"
keys key space
expect_screen FFFFFF "the grid again after the last screen" "64,500" "1279,700"
expect_screen 000000 "the grid again: between its lines" "65,501" "900,900"
keys key Escape
wait_exit "$app" || fail "Escape did not end the test after the inspection"
wait "$app"; app=""
echo "inspect-e2e: ok"
