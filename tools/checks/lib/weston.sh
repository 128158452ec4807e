# A Wayland compositor for the end-to-end checks (sourced after
# lib/xvfb.sh, inside a check that has called e2e_begin): weston with its
# X11 back end and the pixman renderer, nested in the check's Xvfb, so
# screenshots of the Xvfb show what the compositor shows. (weston's
# headless back end makes SDL 2.26's Wayland driver crash in SDL_Init.)
#
#   weston_begin NAME CONFIG [COUNT]  starts weston with the weston.ini text
#                               CONFIG and COUNT outputs (1 unless given);
#                               sets XDG_RUNTIME_DIR, WAYLAND_DISPLAY and
#                               SDL_VIDEODRIVER=wayland; the compositor ends
#                               with the check's cleanup
#   weston_output N             the X window id of output N (1, 2, ...)

weston_begin() {
  local name=$1 config=$2 count=${3:-1}
  export XDG_RUNTIME_DIR="$work/.run"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  printf '%s\n' "$config" >"$work/weston.ini"
  weston --backend=x11-backend.so --use-pixman --socket=lv-check --output-count="$count" \
    --config="$work/weston.ini" >"$work/weston.log" 2>&1 &
  e2e_pids="$e2e_pids $!"
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/lv-check" ] && break; sleep 0.05; done
  [ -S "$XDG_RUNTIME_DIR/lv-check" ] || { echo "$name: FAIL: weston did not start"; tail -n 5 "$work/weston.log"; exit 1; }
  for _ in $(seq 100); do [ -n "$(weston_output "$count")" ] && break; sleep 0.05; done
  # The compositor follows the X pointer only once it has seen it enter
  # its window; a pointer already inside when it starts stays unseen.
  sleep 0.5
  xdotool mousemove --sync 1 1 sleep 0.1 mousemove --sync 20 20
  export WAYLAND_DISPLAY=lv-check SDL_VIDEODRIVER=wayland
}

# xdotool does not match these titles by name; xwininfo lists them.
weston_output() { xwininfo -root -tree 2>/dev/null | awk -v t="\"Weston Compositor - X$1\":" 'index($0, t) { print $1; exit }'; }
