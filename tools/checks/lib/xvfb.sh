# Shared by the end-to-end checks (sourced, not run): an X server of their
# own, a scratch folder, windows found by title, and cleanup at exit.
#
#   e2e_program NAME BUILD      $exe: BUILD's lv.exe as an absolute path;
#                               ends the check if there is none
#   e2e_require NAME TOOL...    ends the check if a tool is missing
#   e2e_begin NAME [GEOMETRY]   scratch folder $work, an Xvfb (1280x1024x24
#                               unless given) as $DISPLAY, SDL on X11, and an
#                               EXIT trap that ends $app, the pids in
#                               $e2e_pids, the X server, and removes $work
#   find_window PATTERN         the first visible window whose title matches
#                               (waits up to 30 s, a busy machine's start;
#                               prints nothing if none)
#   wait_exit PID               true once PID has ended, false after 5 s
#
# Title patterns stay ASCII: xdotool does not match the Chinese in titles.

app=""
e2e_pids=""
xvfb=""
work=""

e2e_cleanup() {
  local pid
  # Safe under set -e: nothing here may end the trap early.
  for pid in $app $e2e_pids; do kill "$pid" 2>/dev/null || true; done
  for pid in $app $e2e_pids; do wait "$pid" 2>/dev/null || true; done
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; fi
  if [ -n "$work" ]; then rm -rf "$work"; fi
  return 0
}

e2e_program() {
  exe=$(cd "$2" 2>/dev/null && pwd)/bin/lv.exe
  [ -x "$exe" ] || { echo "$1: no program at $exe"; exit 1; }
}

e2e_require() {
  local name=$1 tool; shift
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "$name: $tool is missing"; exit 1; }
  done
}

e2e_begin() {
  local name=$1 geometry=${2:-1280x1024x24}
  work=$(mktemp -d)
  trap e2e_cleanup EXIT
  # The X server picks a free display itself, so parallel runs cannot collide.
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp 3>"$work/.display" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$work/.display" ] && break; sleep 0.05; done
  [ -s "$work/.display" ] || { echo "$name: FAIL: Xvfb did not start"; exit 1; }
  export DISPLAY=":$(head -n 1 "$work/.display")"
  unset SDL_VIDEODRIVER
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
  return 0
}

find_window() { timeout 30 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1; }

# The open window menu (an untitled pop-up smaller than 400 x 300), waited
# for up to five seconds; prints its id, or nothing.
find_window_menu() {
  local id
  for _ in $(seq 50); do
    for id in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$id")"
      [ "$WIDTH" -lt 400 ] && [ "$HEIGHT" -lt 300 ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
}

wait_exit() {
  for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
