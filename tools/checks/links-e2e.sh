#!/usr/bin/env bash
# End to end under Xvfb: the real lv.exe with a recording xdg-open first on
# PATH and an empty registry store. 使用说明 hands its built-in address with
# the no-browser flag to xdg-open; 更多软件 opens the more-software dialog; a
# program button there shows the not-installed message, and after Enter the
# program's homepage is opened while the dialog stays open; Escape closes
# it. The dialog's screenshot is kept in $LUMIVEX_SHOT_DIR when that is set.
set -u
build=${1:-build}
. "$(dirname "$0")/lib/xvfb.sh"
. "$(dirname "$0")/lib/pixels.sh"
e2e_program links-e2e "$build"
e2e_require links-e2e Xvfb xdotool import convert xdpyinfo
e2e_begin links-e2e
export LUMIVEX_UPDATE_SERVER=http://127.0.0.1:1
export LUMIVEX_REGISTRY="$work/registry.reg"
unset ProgramFiles LUMIVEX_DRIVE_C

fail() { echo "links-e2e: FAIL: $*"; exit 1; }
# Waits until the log holds $1 lines; prints its last line.
opened() {
  for _ in $(seq 50); do [ "$(wc -l <"$work/opened.log" 2>/dev/null || echo 0)" -ge "$1" ] && break; sleep 0.1; done
  tail -n 1 "$work/opened.log" 2>/dev/null
}
gone() {
  for _ in $(seq 50); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0; sleep 0.1; done
  return 1
}

mkdir -p "$work/lv" "$work/bin"
cp "$exe" "$work/lv/lv.exe"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s/opened.log"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"
(cd "$work/lv" && exec ./lv.exe) & app=$!

win=$(find_window '^Lumivex ')
[ -n "$win" ] || fail "no main window"
eval "$(xdotool getwindowgeometry --shell "$win")"
wx=$X; wy=$Y

# 使用说明 is the second button of the top row (80..150, 5..27).
xdotool mousemove --sync $((wx + 115)) $((wy + 16)) click 1
got=$(opened 1)
[ "$got" = "http://www.brindle.example/lv/readme.asp?lv&fr=i&fg=ffFLAG_SKIFF_DIRECT" ] \
  || fail "使用说明 opened '$got'"

# 更多软件 is the fourth (230..300).
xdotool mousemove --sync $((wx + 265)) $((wy + 16)) click 1
more=$(find_window 'www\.brindle\.example$')
[ -n "$more" ] || fail "更多软件 opened no dialog"
eval "$(xdotool getwindowgeometry --shell "$more")"
mx=$X; my=$Y
[ "$WIDTH" -eq 647 ] && [ "$HEIGHT" -eq 294 ] || fail "the dialog is ${WIDTH}x$HEIGHT, expected 647x294"
shot
if [ -n "${LUMIVEX_SHOT_DIR:-}" ]; then
  mkdir -p "$LUMIVEX_SHOT_DIR" && convert "$work/shot.png" -crop "${WIDTH}x$HEIGHT+$mx+$my" +repage "$LUMIVEX_SHOT_DIR/more-software.png"
fi

# The first program button (7, 11, 194 x 36 dialog units) is the novel reader.
xdotool mousemove --sync $((mx + 156)) $((my + 43)) click 1
box=$(find_window '^lv$')
[ -n "$box" ] || fail "no not-installed message"
sleep 0.3
grep -q inkread "$work/opened.log" && fail "the homepage opened before the message was closed"
xdotool windowfocus --sync "$box" 2>/dev/null
xdotool key Return
got=$(opened 2)
[ "$got" = "http://www.brindle.example/inkread/?tamrel&fr=i&fg=ffFLAG_SKIFF_DIRECT" ] \
  || fail "after the message the homepage opened was '$got'"
gone '^lv$' || fail "Enter did not close the message"
xdotool search --onlyvisible --name 'www\.brindle\.example$' >/dev/null 2>&1 || fail "the dialog closed after a click"

xdotool windowfocus --sync "$more" 2>/dev/null
xdotool key Escape
gone 'www\.brindle\.example$' || fail "Escape did not close the dialog"
grep -qi 'HKEY_LOCAL_MACHINE\\software\\brindle\\inkread' "$work/registry.reg" || fail "the lookup did not create its key"

xdotool windowfocus --sync "$win" 2>/dev/null
xdotool key Escape
wait_exit "$app" || fail "Escape did not end the program"
wait "$app"; status=$?; app=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "links-e2e: 使用说明 opened its flagged address, the more-software dialog showed the message, opened the homepage after Enter, stayed open and closed with Escape"
