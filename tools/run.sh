#!/usr/bin/env bash
# Starts the program. Without a display it runs under Xvfb instead, saves
# screenshots of the main window and of the About dialog (opened from the
# window menu), closes both, and says where the pictures are.
set -u
exe=${1:?usage: run.sh PATH/lv.exe}
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$exe"
fi
out_dir=${LUMIVEX_SHOT_DIR:-$(pwd)/screenshots}
mkdir -p "$out_dir"
for n in $(seq 90 190); do [ -e /tmp/.X$n-lock ] || break; done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
app=""
trap '[ -n "$app" ] && kill $app 2>/dev/null; kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null' EXIT
export DISPLAY=":$n"
unset SDL_VIDEODRIVER
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
"$exe" & app=$!

# Saves the window's client area as $out_dir/NAME.
snap() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$out_dir/$2"
}
# Title patterns stay ASCII: xdotool does not match the Chinese in titles.
main=$(timeout 10 xdotool search --sync --onlyvisible --name '^Lumivex ' 2>/dev/null | head -n 1)
if [ -z "$main" ]; then
  kill -0 "$app" 2>/dev/null || { wait "$app"; echo "The program ended (status $?) before showing a window."; exit 1; }
  import -window root "$out_dir/screen.png"
  echo "No main window appeared within 10 seconds. Screenshot of the whole screen: $out_dir/screen.png"
  exit 1
fi
sleep 0.5
snap "$main" main-window.png
shots="$out_dir/main-window.png"

# The About dialog: window menu with Alt+Space, then its last item.
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key alt+space
sleep 0.3
menu=$(xdotool search --onlyvisible --name '^$' 2>/dev/null | while read -r id; do
  eval "$(xdotool getwindowgeometry --shell "$id")"
  [ "$WIDTH" -lt 400 ] && [ "$HEIGHT" -lt 300 ] && echo "$id"
done | head -n 1)
if [ -n "$menu" ]; then
  eval "$(xdotool getwindowgeometry --shell "$menu")"
  xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT - 12)) click 1
  about=$(timeout 5 xdotool search --sync --onlyvisible --name 'Lumivex [^(]*$' 2>/dev/null | head -n 1)
  if [ -n "$about" ]; then
    sleep 0.3
    snap "$about" about-dialog.png
    shots="$shots and $out_dir/about-dialog.png"
    xdotool windowfocus --sync "$about" 2>/dev/null
    xdotool key Escape
    sleep 0.3
  fi
fi
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key Escape
for _ in $(seq 30); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
echo "No display: ran the program under Xvfb. Screenshots: $shots"
