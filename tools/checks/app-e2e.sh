#!/usr/bin/env bash
# End to end under Xvfb: the real lv.exe, copied into a fresh folder and
# started from another working directory, shows its main window (found by
# its title, 594 x 472 client area), creates data\ beside itself, opens the
# About dialog from the window menu (Alt+Space, Down highlights, A chooses),
# shows the focus on its OK button after Tab, closes it with Space, and ends
# with status 0 once the main window is closed too. Screenshots are checked and kept in $LUMIVEX_SHOT_DIR
# when that is set. Without a display (no DISPLAY, no WAYLAND_DISPLAY), under
# each video driver a person may set, the main window and --test end within
# two seconds with status 1 and one line naming what was tried, having
# written nothing.
set -u
build=${1:-build}
. "$(dirname "$0")/lib/xvfb.sh"
. "$(dirname "$0")/lib/pixels.sh"
e2e_program app-e2e "$build"
e2e_require app-e2e Xvfb xdotool import convert xdpyinfo
e2e_begin app-e2e
# No update server answers here: the update thread gives up at once.
export LUMIVEX_UPDATE_SERVER=http://127.0.0.1:1

fail() { echo "app-e2e: FAIL: $*"; exit 1; }
keep() {
  [ -n "${LUMIVEX_SHOT_DIR:-}" ] || return 0
  mkdir -p "$LUMIVEX_SHOT_DIR" && convert "$work/shot.png" -crop "$3x$4+$1+$2" +repage "$LUMIVEX_SHOT_DIR/$5"
}

mkdir -p "$work/lv" "$work/elsewhere"
cp "$exe" "$work/lv/lv.exe"
(cd "$work/elsewhere" && exec "$work/lv/lv.exe") & app=$!

win=$(find_window '^Lumivex ')
[ -n "$win" ] || fail "no window titled Lumivex appeared"
eval "$(xdotool getwindowgeometry --shell "$win")"
wx=$X; wy=$Y
[ "$WIDTH" -eq 594 ] && [ "$HEIGHT" -eq 472 ] || fail "client area is ${WIDTH}x$HEIGHT, expected 594x472"
[ -d "$work/lv/data" ] || fail "data folder not created beside the executable"

expect_pixel 590 280 F0F0F0 "window background"
# The first test button's outline (column 30, row 162).
expect_pixel $((30 + 37)) 162 155C93 "outline of the dead-pixel test button"
keep "$wx" "$wy" 594 472 main-window.png

# The window menu opens with Alt+Space; Down moves its highlight and the
# underlined letter A chooses About.
xdotool windowfocus --sync "$win" 2>/dev/null
xdotool key alt+space
menu=$(find_window_menu)
[ -n "$menu" ] || fail "Alt+Space opened no window menu"
eval "$(xdotool getwindowgeometry --shell "$menu")"
# The first enabled item, 最小化, takes the highlight (pale blue).
xdotool key Down
for _ in $(seq 50); do
  shot; [ "$(pixel_at $((X + 10)) $((Y + 2 + 22 + 11)))" = 91C9F7 ] && break
  sleep 0.1
done
[ "$(pixel_at $((X + 10)) $((Y + 2 + 22 + 11)))" = 91C9F7 ] || fail "Down did not highlight the first enabled menu item"
xdotool key a

# The About title has no parentheses; the main window's has.
about=$(find_window 'Lumivex [^(]*$')
[ -n "$about" ] || fail "the About item opened no About dialog"
eval "$(xdotool getwindowgeometry --shell "$about")"
ax=$X; ay=$Y; aw=$WIDTH; ah=$HEIGHT
shot; keep "$ax" "$ay" "$aw" "$ah" about-dialog.png

# Tab shows the focus on its OK button (the dialog's look changes), Space presses it.
xdotool windowfocus --sync "$about" 2>/dev/null
cp "$work/shot.png" "$work/before-tab.png"
xdotool key Tab
changed=0
for _ in $(seq 50); do
  shot
  [ "$(compare -metric AE -crop "${aw}x$ah+$ax+$ay" "$work/before-tab.png" "$work/shot.png" null: 2>&1)" != 0 ] && { changed=1; break; }
  sleep 0.1
done
[ "$changed" -eq 1 ] || fail "Tab showed no focus in the About dialog"
xdotool key space
for _ in $(seq 50); do xdotool search --onlyvisible --name 'Lumivex [^(]*$' >/dev/null 2>&1 || break; sleep 0.1; done
xdotool search --onlyvisible --name 'Lumivex [^(]*$' >/dev/null 2>&1 \
  && fail "Space on its OK button did not close the About dialog"

xdotool windowfocus --sync "$win" 2>/dev/null
xdotool key Escape
wait_exit "$app" || fail "Escape did not end the program"
wait "$app"; status=$?; app=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
# No display: SDL would fall through to a driver that shows nothing. A
# runtime folder of its own keeps the Wayland library from adding a line.
mkdir -p "$work/bare/runtime" && chmod 700 "$work/bare/runtime"
cp "$exe" "$work/bare/lv.exe"
for driver in "" x11 wayland dummy KMSDRM; do
  for args in "" "--test grid"; do
    what="SDL_VIDEODRIVER=${driver:-(unset)} lv.exe $args"
    start=$(date +%s%N)
    (cd "$work/bare" && env -u DISPLAY -u WAYLAND_DISPLAY ${driver:+SDL_VIDEODRIVER=$driver} LC_ALL=C \
      XDG_RUNTIME_DIR="$work/bare/runtime" HOME="$work/bare/home" timeout 10 ./lv.exe $args >out.txt 2>err.txt)
    status=$?
    ms=$((($(date +%s%N) - start) / 1000000))
    [ "$status" -eq 1 ] || fail "$what: status $status, expected 1"
    [ "$ms" -lt 2000 ] || fail "$what: ended after $ms ms"
    [ ! -s "$work/bare/out.txt" ] && [ "$(wc -l <"$work/bare/err.txt")" -eq 1 ] \
      || fail "$what: not one line on standard error alone: $(cat "$work/bare/err.txt")"
    grep -q "^lv.exe: 无法打开显示 (试过 ${driver:-x11}" "$work/bare/err.txt" || fail "$what: $(cat "$work/bare/err.txt")"
    [ "$(ls -A "$work/bare" | tr '\n' ' ')" = "err.txt lv.exe out.txt runtime " ] || fail "$what: wrote $(ls -A "$work/bare")"
  done
done
echo "app-e2e: main window 594x472 found by its title, About dialog opened from the window menu by its letter, focus shown after Tab, closed with Space, status 0; without a display status 1 within 2 s, one line, nothing written"
