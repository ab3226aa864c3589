# Shared by the shell tests and benchmarks that run the real program under Xvfb. Source it after
# `set -euo pipefail`. It makes a work folder ($work), removes it and ends the program ($app_pid)
# and the X server at exit, and offers:
#   fail MESSAGE            print FAIL: MESSAGE and exit 1
#   start_xvfb WxHxD [ARG]  start Xvfb (extra server arguments) and use it
#   start_wm                start openbox and wait until it manages windows ($wm_pid); a window
#                           mapped before it is ready would never be managed
#   start_session_bus       start a session bus private to the test ($bus_pid) and use it
#   start_sound             start a sound server private to the test (PulseAudio with one null
#                           sink, $sound_pid) that the program's mixer finds as ALSA's default
#                           device; without it the program starts with the no-mixer message
#   copy_program PATH       copy the program into an empty folder ($work/app, where it looks for
#                           its settings file) and print the copy's path
#   window_origin ID        the window's absolute top-left corner as "x y"
#   wait_until CMD [ARG...]  run CMD every 0.1 s until it succeeds (10 s at most, or $wait_tenths
#                           tenths); fails otherwise
#   wait_for MESSAGE CMD [ARG...]  the same, and fail MESSAGE when CMD never succeeds
#   window_id NAME          the first window of that exact name on the screen (fails when there
#                           is none); xdotool's search can come back empty while other windows
#                           come and go
#   visible NAME            whether there is one
#   above ID1 ID2           whether ID1 stands above ID2 in the window manager's stacking list
#   menu_shown              whether one of the program's popup menus is open
#   click_slider            a click on the volume slider's trough left of its thumb (one large
#                           step down)
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
sound_pid=""
wm_pid=""
bus_pid=""
cleanup() {
  [[ -n $app_pid ]] && kill -KILL "$app_pid" 2>/dev/null || true
  [[ -n $wm_pid ]] && { kill "$wm_pid"; wait "$wm_pid"; } 2>/dev/null || true
  [[ -n $sound_pid ]] && { kill "$sound_pid"; wait "$sound_pid"; } 2>/dev/null || true
  [[ -n $bus_pid ]] && kill "$bus_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [[ -s "$work/log" ]] && sed "s/^/  log: /" "$work/log" >&2
  exit 1
}

start_xvfb() {
  local size=$1
  shift
  exec 3>"$work/display"
  # -noreset: a server resets when its last client leaves, and a program connecting during the
  # reset is refused; helpers such as pactl connect and leave before the program starts.
  Xvfb -displayfd 3 -noreset "$@" -screen 0 "$size" >/dev/null 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
  [[ -s $work/display ]] || fail "Xvfb did not start"
  export DISPLAY=":$(head -1 "$work/display")"
  unset QT_QPA_PLATFORM
}

start_wm() {
  command -v openbox >/dev/null || fail "openbox is missing (scripts/install-deps.sh --test)"
  openbox --sm-disable --startup "touch $work/wm-ready" >"$work/wm.log" 2>&1 &
  wm_pid=$!
  wait_until test -e "$work/wm-ready" || { cat "$work/wm.log" >&2; fail "openbox did not start"; }
}

start_sound() {
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  pulseaudio --daemonize=no --exit-idle-time=-1 -n --load=module-null-sink \
             --load=module-native-protocol-unix >/dev/null 2>&1 &
  sound_pid=$!
  wait_until pactl info || fail "PulseAudio did not start"
}

start_session_bus() {
  dbus-daemon --session --nofork --nopidfile --print-address=1 >"$work/bus" 2>/dev/null &
  bus_pid=$!
  wait_until test -s "$work/bus" || fail "no session bus"
  DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus")
  export DBUS_SESSION_BUS_ADDRESS
}

copy_program() {
  mkdir -p "$work/app"
  cp "$1" "$work/app/reelbox"
  echo "$work/app/reelbox"
}

window_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'
}

wait_until() {
  for _ in $(seq "${wait_tenths:-100}"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  "$@" >/dev/null 2>&1
}
wait_for() { local message=$1; shift; wait_until "$@" || fail "$message"; }

window_id() {
  local id
  for id in $(xwininfo -root -tree | awk -v name="\"$1\":" '$2 == name {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q IsViewable && { echo "$id"; return 0; }
  done
  return 1
}

visible() { window_id "$1" >/dev/null; }
# Whether window ID1 stands above ID2 in the window manager's stacking list (bottom first).
above() {  # ID1 ID2
  local list=() id ia=-1 ib=-1 i=0
  read -ra list <<<"$(xprop -root _NET_CLIENT_LIST_STACKING | cut -d'#' -f2 | tr -d ,)"
  for id in "${list[@]}"; do
    (( id == $1 )) && ia=$i
    (( id == $2 )) && ib=$i
    i=$((i + 1))
  done
  (( ib >= 0 && ia > ib ))
}

# A popup menu: a window of the program's name straight on the root (a window manager frames
# every other window; a tray takes in the icon).
menu_shown() {
  local id
  for id in $(xwininfo -root -children | awk '$2 == "\"reelbox\":" {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q IsViewable && return 0
  done
  return 1
}

# The bottom row of the control window, past the speaker picture and the arrow.
click_slider() {
  local id x y h
  id=$(window_id ReelBox)
  read -r x y <<<"$(window_origin "$id")"
  h=$(xwininfo -id "$id" | awk '/Height:/ {print $2}')
  xdotool mousemove $((x + 52)) $((y + h - 19)) click 1
}
