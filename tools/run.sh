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
trap 'kill $app $xvfb 2>/dev/null; wait $xvfb 2>/dev/null' EXIT
export DISPLAY=":$n"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$exe" & app=$!
sleep 3
shot="$out_dir/main-window.png"
import -window root "$shot"
echo "No display: ran the program under Xvfb. Screenshot: $shot"
