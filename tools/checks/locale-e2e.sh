#!/usr/bin/env bash
# End to end under Xvfb, in English and in Chinese. lv.exe with the build's
# catalogue beside it (locale/) shows, under LANG=en_US.UTF-8, its main
# window and About dialog with English titles and a test's information
# line in English; under LANG=C, under LANG=C.UTF-8 with LANGUAGE=en and
# under LANG=zh_CN.UTF-8 the Chinese titles and the same information line,
# pixel for pixel. Its command-line errors and --list are English under
# en_US.UTF-8 too. The locales are generated with localedef (Debian's
# locales package) into the check's own folder.
set -u
build=${1:-build}
. "$(dirname "$0")/lib/xvfb.sh"
. "$(dirname "$0")/lib/pixels.sh"
e2e_program locale-e2e "$build"
e2e_require locale-e2e Xvfb xdotool xprop import convert compare xdpyinfo localedef
e2e_begin locale-e2e

fail() {
  echo "locale-e2e: FAIL: $*"
  [ -s "$work/lv.log" ] && tail -n 20 "$work/lv.log"
  exit 1
}

catalogue="$(dirname "$exe")/locale"
[ -f "$catalogue/en/LC_MESSAGES/lumivex.mo" ] || fail "no catalogue in $catalogue"
mkdir -p "$work/lv" "$work/locales"
cp "$exe" "$work/lv/lv.exe"
cp -r "$catalogue" "$work/lv/locale"
for locale in en_US zh_CN; do
  localedef -c -i "$locale" -f UTF-8 "$work/locales/$locale.UTF-8" >/dev/null 2>&1 \
    || fail "localedef cannot make $locale.UTF-8"
done
export LOCPATH="$work/locales" LUMIVEX_UPDATE_SERVER=http://127.0.0.1:9
unset LANGUAGE LC_ALL LC_MESSAGES LANG

# A window's title; xprop writes bytes outside ASCII as octal escapes.
title_of() {
  xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p' \
    | python3 -c 'import codecs, sys; print(codecs.escape_decode(sys.stdin.read().strip())[0].decode())'
}

# run NAME MAIN_TITLE ABOUT_TITLE VAR=VALUE...: starts the program with the
# variables, checks the titles of the main window and of the About dialog
# (window menu, then A), opens the block-fill test with its information
# lines, keeps the first line as $work/NAME.png, ends the test and the program.
run() {
  local name=$1 main_title=$2 about_title=$3 win about got; shift 3
  (cd "$work" && exec env "$@" "$work/lv/lv.exe" >"$work/lv.log" 2>&1) & app=$!
  win=$(find_window '^Lumivex ')
  [ -n "$win" ] || fail "$name: no main window"
  got=$(title_of "$win")
  [ "$got" = "$main_title" ] || fail "$name: the main window is titled '$got', expected '$main_title'"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  wx=$X; wy=$Y
  expect_pixel 590 280 F0F0F0 "$name: main window"

  xdotool windowfocus --sync "$win" 2>/dev/null
  xdotool key alt+space
  [ -n "$(find_window_menu)" ] || fail "$name: Alt+Space opened no window menu"
  xdotool key a
  about=$(find_window 'Lumivex [^(]*$')
  [ -n "$about" ] || fail "$name: A in the window menu opened no About dialog"
  got=$(title_of "$about")
  [ "$got" = "$about_title" ] || fail "$name: the About dialog is titled '$got', expected '$about_title'"
  xdotool windowfocus --sync "$about" 2>/dev/null
  xdotool key Escape
  for _ in $(seq 50); do xdotool search --onlyvisible --name 'Lumivex [^(]*$' >/dev/null 2>&1 || break; sleep 0.1; done
  xdotool search --onlyvisible --name 'Lumivex [^(]*$' >/dev/null 2>&1 && fail "$name: Escape did not close the About dialog"

  xdotool mousemove --sync $((wx + 213)) $((wy + 199)) click 1
  expect_screen FFFFFF "$name: the block-fill test's information line" 104,108
  sleep 0.3
  shot
  convert "$work/shot.png" -crop 1000x18+96+98 +repage "$work/$name.png"
  xdotool click 3
  expect_pixel 590 280 F0F0F0 "$name: back in the main window"
  xdotool windowfocus --sync "$win" 2>/dev/null
  xdotool key Escape
  wait_exit "$app" || fail "$name: the program did not end when its window closed"
  app=""
}

zh_main='Lumivex 显示器测试 (Brindle 软件 www.brindle.example)'
zh_about='关于 Lumivex 液晶显示器测试软件'
run english 'Lumivex Monitor Test (Brindle Software www.brindle.example)' 'About Lumivex LCD Monitor Test' \
  LANG=en_US.UTF-8
run c "$zh_main" "$zh_about" LANG=C
run c-utf8 "$zh_main" "$zh_about" LANG=C.UTF-8 LANGUAGE=en
run chinese "$zh_main" "$zh_about" LANG=zh_CN.UTF-8

same() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)" = 0 ]; }
same c c-utf8 || fail "the information line under C.UTF-8 differs from the one under C"
same c chinese || fail "the information line under zh_CN.UTF-8 differs from the one under C"
same c english && fail "the information line under en_US.UTF-8 is the Chinese one"

# The command line's texts: whole English messages under en_US.UTF-8, the
# pattern captions translated in --list.
got=$(env LANG=en_US.UTF-8 "$work/lv/lv.exe" --test nope 2>&1 >/dev/null)
case $got in
  'lv.exe: no test pattern is named "nope" (patterns: dead-pixel, '*) ;;
  *) fail "--test nope under en_US.UTF-8 wrote '$got'" ;;
esac
env LANG=en_US.UTF-8 "$work/lv/lv.exe" --list | grep -qx 'dead-pixel      Dead pixel test' \
  || fail "--list under en_US.UTF-8 has no English caption for dead-pixel"
echo "locale-e2e: English under en_US.UTF-8 (windows, --test errors, --list); the same Chinese under C, C.UTF-8 and zh_CN.UTF-8"
