#!/usr/bin/env bash
# End to end under Xvfb: lv.exe whose data\main.htm names a page on a
# loopback server ([MAIN_URL]). The page (code page 936, no charset) has a
# heading, Chinese text, a picture and a link; the panel shows them, the
# cursor over the link does not stop the program, and a click on the link
# starts xdg-open (a recording stand-in first on PATH; no sibling browser is
# installed) with the link's absolute address and the query flag. The
# screenshot of the main window is kept in $LUMIVEX_SHOT_DIR when set.
set -u
build=${1:-build}
. "$(dirname "$0")/lib/xvfb.sh"
. "$(dirname "$0")/lib/pixels.sh"
e2e_program web-e2e "$build"
e2e_require web-e2e Xvfb xdotool import convert xdpyinfo python3
e2e_begin web-e2e
export LUMIVEX_UPDATE_SERVER=http://127.0.0.1:1
export LUMIVEX_REGISTRY="$work/registry.reg"
export ProgramFiles='C:\Program Files'

fail() { echo "web-e2e: FAIL: $*"; exit 1; }

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$work/www/img" "$work/lv/data" "$work/bin"
python3 - "$work/www" <<'EOF'
import struct, sys, zlib
root = sys.argv[1]
def png(w, h, rgb):
    raw = b''.join(b'\x00' + bytes(rgb) * w for _ in range(h))
    chunk = lambda t, d: struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))
open(root + '/img/logo.png', 'wb').write(png(8, 8, (220, 30, 30)))
page = '''<html><head><style>
body { margin: 4px; font-size: 12px }
h1 { font-size: 16px; margin: 0 0 4px 0; color: #1a3c8c }
.side { position: absolute; left: 470px; top: 4px; width: 100px; border: 1px solid #8899bb; background: #eef2ff; padding: 2px }
</style></head><body>
<img src="img/logo.png" width="40" height="40" style="float: left; margin-right: 6px">
<div class="side">推荐软件<br><a id="go" href="soft/index.htm" target="_blank">立即下载</a></div>
<h1>显示器测试 Lumivex</h1>
<p style="margin: 0">检测液晶显示器的坏点、亮点与色彩表现，每一种颜色逐屏显示。</p>
</body></html>'''
open(root + '/index.htm', 'wb').write(page.encode('gbk'))
EOF
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/www" >"$work/server.log" 2>&1 &
e2e_pids=$!
for _ in $(seq 100); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/index.htm', timeout=1)" 2>/dev/null && break
  sleep 0.1
done
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s/opened.log"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"
printf '[MAIN_URL]\r\nhttp://127.0.0.1:%s/index.htm\r\n' "$port" >"$work/lv/data/main.htm"
cp "$exe" "$work/lv/lv.exe"
"$work/lv/lv.exe" & app=$!

win=$(find_window '^Lumivex ')
[ -n "$win" ] || fail "no window titled Lumivex appeared"
eval "$(xdotool getwindowgeometry --shell "$win")"
wx=$X; wy=$Y
# The panel's client area starts at (5, 32): the picture, then the link box.
expect_pixel $((5 + 4 + 20)) $((32 + 4 + 20)) DC1E1E "the page's picture in the panel"
expect_pixel $((5 + 470 + 95)) $((32 + 4 + 10)) EEF2FF "the link box in the panel"
ink=$(convert "$work/shot.png" -crop "400x30+$((wx + 55))+$((wy + 36))" +repage -threshold 40% -negate \
  -format "%[fx:int(mean*w*h)]" info:)
[ "$ink" -gt 150 ] || fail "too little text ink in the panel ($ink pixels)"
if [ -n "${LUMIVEX_SHOT_DIR:-}" ]; then
  mkdir -p "$LUMIVEX_SHOT_DIR" && convert "$work/shot.png" -crop "594x472+$wx+$wy" +repage "$LUMIVEX_SHOT_DIR/web-panel.png"
fi

# The link's text is on the side box's second line.
xdotool mousemove --sync $((wx + 5 + 470 + 20)) $((wy + 32 + 4 + 20)) click 1
for _ in $(seq 50); do [ -s "$work/opened.log" ] && break; sleep 0.1; done
opened=$(cat "$work/opened.log" 2>/dev/null)
expected="http://127.0.0.1:$port/soft/index.htm?fr=i&fg=ffFLAG_SKIFF_DIRECT"
[ "$opened" = "$expected" ] || fail "the link click opened '$opened', expected '$expected'"

xdotool windowfocus --sync "$win" 2>/dev/null
xdotool key Escape
wait_exit "$app" || fail "Escape did not end the program"
wait "$app"; status=$?; app=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "web-e2e: page from [MAIN_URL] drawn in the panel (picture, link box, text), link click opened $expected, status 0"
