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

. "$root/tools/checks/lib/xvfb.sh"
e2e_begin update-e2e
fail() { echo "update-e2e: $*"; exit 1; }

# The site: a plain file, a zip-delivered bitmap and a second-list plug-in.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$work/site/data" "$work/extra/plugins"
printf 'new readme\r\n' >"$work/site/readme.txt"
head -c 5000 /dev/urandom >"$work/site/data/pic.bmp"
printf 'plug-in' >"$work/extra/plugins/p.dll"
printf '[MAIN_URL]\nabout:blank\n' >"$work/head.txt"
python3 "$root/tools/publish/publish.py" "$work/site" --base-url "http://127.0.0.1:$port/files" \
  --out "$work/www" --zip 'data/*.bmp' --second "$work/extra" --head "$work/head.txt" >/dev/null
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/www" >"$work/server.log" 2>&1 &
e2e_pids=$!

# The executable's folder: an old readme, a staged lv.exe that differs, and
# a stub updater that records how it was started.
app_dir="$work/app"
mkdir -p "$app_dir/data"
cp "$exe" "$app_dir/lv.exe"
printf 'old readme\r\n' >"$app_dir/readme.txt"
printf 'a newer program' >"$app_dir/data/lv.exe"
printf 'zip' >"$app_dir/data/test_1.zip"
printf '#!/bin/sh\necho "$*" >>"$(dirname "$0")/nplv-args.txt"\n' >"$app_dir/nplv.exe"
chmod +x "$app_dir/nplv.exe"

(cd "$work" && LUMIVEX_UPDATE_SERVER="http://127.0.0.1:$port" exec "$app_dir/lv.exe") & app=$!
window=$(find_window 'Lumivex')
[ -n "$window" ] || fail "no window appeared"
for _ in $(seq 200); do [ -e "$app_dir/data/update2.txt" ] && break; sleep 0.1; done
[ -e "$app_dir/data/update2.txt" ] || fail "the update did not finish within 20 seconds"

# Closing the window ends the process promptly and hands the staged copy over.
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key Escape
wait_exit "$app" || fail "the program did not end within 5 seconds of closing its window"
wait "$app" || fail "the program ended with status $?"
app=""
for _ in $(seq 50); do [ -e "$app_dir/nplv-args.txt" ] && break; sleep 0.1; done

cmp -s "$app_dir/readme.txt" "$work/site/readme.txt" || fail "readme.txt was not updated"
cmp -s "$app_dir/data/pic.bmp" "$work/site/data/pic.bmp" || fail "the zip-delivered data\\pic.bmp was not installed"
cmp -s "$app_dir/plugins/p.dll" "$work/extra/plugins/p.dll" || fail "the second-list plugins\\p.dll was not installed"
cmp -s "$app_dir/data/main.htm" "$work/www/lv/main200.asp" || fail "data\\main.htm is not the manifest"
zip_size=$(stat -c %s "$work/www/files/data/pic.bmp.zip")
printf '检测更新\r\n更新文件:data\\pic.bmp ....\r\nFileLength:%s\r\n更新文件:data\\pic.bmp 成功\r\n更新文件:readme.txt ....\r\nFileLength:12\r\n更新文件:readme.txt 成功\r\n更新完成\r\n' \
  "$zip_size" | iconv -f UTF-8 -t GBK >"$work/update.expected"
printf '检测更新\r\n更新文件:LOCAL_PATHplugins\\p.dll ....\r\nFileLength:7\r\n更新文件:LOCAL_PATHplugins\\p.dll 成功\r\n更新完成\r\n' \
  | iconv -f UTF-8 -t GBK >"$work/update2.expected"
cmp "$app_dir/data/update.txt" "$work/update.expected" || fail "data\\update.txt differs"
cmp "$app_dir/data/update2.txt" "$work/update2.expected" || fail "data\\update2.txt differs"
[ "$(cat "$app_dir/nplv-args.txt" 2>/dev/null)" = "update" ] || fail "nplv.exe was not started once with \"update\""
[ ! -e "$app_dir/data/test_1.zip" ] || fail "data\\test_1.zip was not deleted at exit"
echo "update-e2e: lv.exe installed all three files, wrote both logs and handed over to nplv.exe"
