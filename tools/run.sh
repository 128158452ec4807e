#!/usr/bin/env bash
# Starts the program. Without a display it runs under Xvfb instead, saves a
# screenshot of what the program shows and says where.
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
# Wait for the program's window, then give it a moment to draw.
if ! timeout 10 xdotool search --sync --onlyvisible --name 'Lumivex' >/dev/null 2>&1; then
  kill -0 "$app" 2>/dev/null || { wait "$app"; echo "The program ended (status $?) before showing a window."; exit 1; }
  echo "No window appeared within 10 seconds; taking the screenshot anyway."
fi
sleep 1
shot="$out_dir/main-window.png"
import -window root "$shot"
echo "No display: ran the program under Xvfb. Screenshot: $shot"
