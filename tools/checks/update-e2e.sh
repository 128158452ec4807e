#!/usr/bin/env bash
# The online update end to end: the publishing tool's checks, then the real
# lv.exe under Xvfb against a loopback update server fed by the publishing
# tool. The run must install a plain file, a zip-delivered file and a
# second-list file, write both logs byte for byte, and hand a staged lv.exe
# over to nplv.exe when its window closes.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
exe="$build/bin/lv.exe"

python3 "$root/tools/publish/test_publish.py" 2>&1 | tail -n 1
[ -x "$exe" ] || cmake --build "$build" -j2 --target lv >/dev/null

tmp=$(mktemp -d)
server=""; xvfb=""; app=""
cleanup() {
  for pid in $app $server $xvfb; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "update-e2e: $*"; exit 1; }

# The site: a plain file, a zip-delivered bitmap and a second-list plug-in.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$tmp/site/data" "$tmp/extra/plugins"
printf 'new readme\r\n' >"$tmp/site/readme.txt"
head -c 5000 /dev/urandom >"$tmp/site/data/pic.bmp"
printf 'plug-in' >"$tmp/extra/plugins/p.dll"
printf '[MAIN_URL]\nabout:blank\n' >"$tmp/head.txt"
python3 "$root/tools/publish/publish.py" "$tmp/site" --base-url "http://127.0.0.1:$port/files" \
  --out "$tmp/www" --zip 'data/*.bmp' --second "$tmp/extra" --head "$tmp/head.txt" >/dev/null
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$tmp/www" >"$tmp/server.log" 2>&1 &
server=$!

# The executable's folder: an old readme, a staged lv.exe that differs, and
# a stub updater that records how it was started.
app_dir="$tmp/app"
mkdir -p "$app_dir/data"
cp "$exe" "$app_dir/lv.exe"
printf 'old readme\r\n' >"$app_dir/readme.txt"
printf 'a newer program' >"$app_dir/data/lv.exe"
printf 'zip' >"$app_dir/data/test_1.zip"
printf '#!/bin/sh\necho "$*" >>"$(dirname "$0")/nplv-args.txt"\n' >"$app_dir/nplv.exe"
chmod +x "$app_dir/nplv.exe"

for n in $(seq 90 190); do [ -e /tmp/.X$n-lock ] || break; done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
export DISPLAY=":$n"
unset SDL_VIDEODRIVER
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

(cd "$tmp" && LUMIVEX_UPDATE_SERVER="http://127.0.0.1:$port" exec "$app_dir/lv.exe") & app=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --name 'Lumivex' | head -n 1) || fail "no window appeared"
for _ in $(seq 200); do [ -e "$app_dir/data/update2.txt" ] && break; sleep 0.1; done
[ -e "$app_dir/data/update2.txt" ] || fail "the update did not finish within 20 seconds"

# Closing the window ends the process promptly and hands the staged copy over.
xdotool key --window "$window" Escape
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "the program did not end within 5 seconds of closing its window"
wait "$app" || fail "the program ended with status $?"
app=""
for _ in $(seq 50); do [ -e "$app_dir/nplv-args.txt" ] && break; sleep 0.1; done

cmp -s "$app_dir/readme.txt" "$tmp/site/readme.txt" || fail "readme.txt was not updated"
cmp -s "$app_dir/data/pic.bmp" "$tmp/site/data/pic.bmp" || fail "the zip-delivered data\\pic.bmp was not installed"
cmp -s "$app_dir/plugins/p.dll" "$tmp/extra/plugins/p.dll" || fail "the second-list plugins\\p.dll was not installed"
cmp -s "$app_dir/data/main.htm" "$tmp/www/lv/main200.asp" || fail "data\\main.htm is not the manifest"
zip_size=$(stat -c %s "$tmp/www/files/data/pic.bmp.zip")
printf '检测更新\r\n更新文件:data\\pic.bmp ....\r\nFileLength:%s\r\n更新文件:data\\pic.bmp 成功\r\n更新文件:readme.txt ....\r\nFileLength:12\r\n更新文件:readme.txt 成功\r\n更新完成\r\n' \
  "$zip_size" | iconv -f UTF-8 -t GBK >"$tmp/update.expected"
printf '检测更新\r\n更新文件:LOCAL_PATHplugins\\p.dll ....\r\nFileLength:7\r\n更新文件:LOCAL_PATHplugins\\p.dll 成功\r\n更新完成\r\n' \
  | iconv -f UTF-8 -t GBK >"$tmp/update2.expected"
cmp "$app_dir/data/update.txt" "$tmp/update.expected" || fail "data\\update.txt differs"
cmp "$app_dir/data/update2.txt" "$tmp/update2.expected" || fail "data\\update2.txt differs"
[ "$(cat "$app_dir/nplv-args.txt" 2>/dev/null)" = "update" ] || fail "nplv.exe was not started once with \"update\""
[ ! -e "$app_dir/data/test_1.zip" ] || fail "data\\test_1.zip was not deleted at exit"
echo "update-e2e: lv.exe installed all three files, wrote both logs and handed over to nplv.exe"
