# Shared by the scenarios (tests/support/scenarios.sh) and the benchmarks that run the real program
# under X. Source it after `set -euo pipefail`. It makes a work folder ($work, with a private
# XDG_RUNTIME_DIR) and at exit ends the program ($app_pid), every helper in $extra_pids, the
# servers, and removes the folder. It offers:
#   fail MESSAGE            print FAIL: MESSAGE (and the program's log) and exit 1
#   wait_until CMD [ARG...] run CMD every 0.1 s until it succeeds (10 s at most, or $wait_tenths
#                           tenths); fails otherwise.  wait_for MESSAGE CMD...: fail MESSAGE then
# Servers:
#   start_xvfb WxHxD [ARG]  start Xvfb (extra server arguments) and use it
#   start_desktop DESKTOP   bare (Xvfb alone), openbox, xfwm4 (compositor off), or weston (its
#                           XWayland with Weston's own X window manager; $weston_pid)
#   start_wm, start_xfwm4   openbox or xfwm4 on the current display ($wm_pid); a window mapped
#                           before it is ready would never be managed
#   start_session_bus       a session bus private to the test ($bus_pid); again: a new one at
#                           the same address
#   start_server SOUND      pulse (start_sound: PulseAudio with one null sink), pipewire
#                           (start_pipewire: pipewire, wireplumber, pipewire-pulse with a null
#                           sink) or none; ALSA's default device reaches either ($sound_pid)
#   start_trayer            an XEmbed tray (trayer) at the top right ($tray_pid), afresh
# The program:
#   copy_program PATH       copy the program into an empty folder ($work/app, where it looks for
#                           its settings file) and print the copy's path
#   run_app [ARG...]        start that copy ($app) from its folder ($app_pid, output in $work/log)
#   end_app NAME [SIG]      send SIG (TERM), then as exited.  exited NAME: wait for the end,
#                           status 0
# Windows:
#   window_id NAME          the first viewable window whose whole name matches NAME, a pattern
#                           ("$movie_window": the movie window; fails when none);
#                           visible NAME: whether there is one.  geometry ID: "x y w h";
#                           window_origin ID: "x y"
#   frame_of ID BORDERLESS  the frame the window manager draws around window ID, "left top right
#                           bottom": by its _NET_FRAME_EXTENTS, else its frame window less the
#                           margin left around the borderless window BORDERLESS (Weston's shadow)
#   above ID1 ID2           whether ID1 stands above ID2 in the window manager's stacking list
#   menu_shown              whether one of the program's popup menus is open
#   movie_menu [KEYS...]    the movie window's popup menu, then KEYS
#   hide_controls           "ｺﾝﾄﾛｰﾙ非表示" from that menu, and the control window hidden
#   click_slider            a click on the volume slider's trough left of its thumb (one large
#                           step down)
#   xembed_icon             the program's icon in trayer's panel; xembed_shown: whether it shows
#   sink_volume, sink_is V  the default sink's raw channel volumes ("40000 20000"), compared
#   saver_timeout           the screen saver's timeout
#   make_clip NAME SOURCE SECONDS [EXT]  $work/NAME.mpg, a Video-CD clip of an ffmpeg test source
#                           (EXT mp4 or mkv: H.264, webm: VP9, in ffmpeg's sound codec for them)
#   shows NAME [OTHER]      the movie window's picture area (320x240 at 10,10) becomes clip NAME's
#                           first picture (0.05 apart at most), and looks nothing like OTHER's
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
xvfb_pid="" app_pid="" sound_pid="" wm_pid="" weston_pid="" tray_pid=""
extra_pids=()
cleanup() {
  local p
  [[ -z $app_pid ]] || kill -KILL "$app_pid" 2>/dev/null || true
  for p in "${extra_pids[@]}" $tray_pid $wm_pid $sound_pid; do kill "$p" 2>/dev/null || true; done
  for p in $wm_pid $sound_pid; do wait "$p" 2>/dev/null || true; done
  [[ -z $xvfb_pid ]] || kill "$xvfb_pid" 2>/dev/null || true
  chmod -R u+w "$work" 2>/dev/null || true  # a test may make folders read-only
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [[ -s "$work/log" ]] && sed "s/^/  log: /" "$work/log" >&2
  exit 1
}
# Each try runs in a subshell: a check that fails by calling `fail` is tried again, where it
# would otherwise end the run with its message gone to /dev/null.
wait_until() {
  for _ in $(seq "${wait_tenths:-100}"); do ("$@") >/dev/null 2>&1 && return 0; sleep 0.1; done
  ("$@") >/dev/null 2>&1
}
wait_for() { local message=$1; shift; wait_until "$@" || fail "$message"; }

start_xvfb() {
  local size=$1
  shift
  exec 3>"$work/display"
  # -noreset: a server resets when its last client leaves, and a program connecting during the
  # reset is refused; helpers such as pactl connect and leave before the program starts.
  Xvfb -displayfd 3 -noreset "$@" -screen 0 "$size" >/dev/null 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  wait_for "Xvfb did not start" test -s "$work/display"
  export DISPLAY=":$(head -1 "$work/display")"
  unset QT_QPA_PLATFORM
}
start_wm() {
  command -v openbox >/dev/null || fail "openbox is missing (scripts/install-deps.sh --test)"
  rm -f "$work/wm-ready"
  openbox --sm-disable --startup "touch $work/wm-ready" >"$work/wm.log" 2>&1 &
  wm_pid=$!
  wait_until test -e "$work/wm-ready" || { cat "$work/wm.log" >&2; fail "openbox did not start"; }
}
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
start_xfwm4() {
  xfwm4 --compositor=off --sm-client-disable >"$work/wm.log" 2>&1 &
  wm_pid=$!
  wait_for "xfwm4 did not start" wm_ready
}
start_desktop() {
  case $1 in
    bare) start_xvfb 1280x1024x24 ;;
    openbox) start_xvfb 1280x1024x24; start_wm ;;
    xfwm4) start_xvfb 1280x1024x24; start_xfwm4 ;;
    weston)
      # Weston makes /tmp/.X11-unix/X<n> for its XWayland and says which display it took.
      mkdir -p /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix 2>/dev/null || true
      weston --backend=headless-backend.so --xwayland --socket="reelbox-$$" --width=1280 \
             --height=1024 --idle-time=0 >"$work/wm.log" 2>&1 &
      weston_pid=$!
      extra_pids+=($weston_pid)
      wait_for "weston did not start" grep -q 'xserver listening on display' "$work/wm.log"
      export DISPLAY=$(grep -o 'xserver listening on display :[0-9]*' "$work/wm.log" | awk '{print $5}')
      unset QT_QPA_PLATFORM WAYLAND_DISPLAY
      wait_for "no window manager on weston's XWayland" wm_ready ;;
  esac
}
start_session_bus() {
  dbus-daemon --session --address="unix:path=$XDG_RUNTIME_DIR/bus" --nofork --nopidfile >/dev/null 2>&1 &
  bus_pid=$!
  extra_pids+=($bus_pid)
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
  wait_for "no session bus" test -S "$XDG_RUNTIME_DIR/bus"
}
start_sound() {
  pulseaudio --daemonize=no --exit-idle-time=-1 -n --load=module-null-sink \
             --load=module-native-protocol-unix >/dev/null 2>&1 &
  sound_pid=$!
  wait_for "PulseAudio did not start" pactl info
}
start_pipewire() {
  pipewire >/dev/null 2>&1 &
  extra_pids+=($!)
  wait_for "pipewire did not start" test -S "$XDG_RUNTIME_DIR/pipewire-0"
  wireplumber >/dev/null 2>&1 &
  extra_pids+=($!)
  pipewire-pulse >/dev/null 2>&1 &
  sound_pid=$!
  wait_for "pipewire-pulse did not start" pactl info
  pactl load-module module-null-sink sink_name=null >/dev/null
  pactl set-default-sink null
  wait_for "no default sink on pipewire" eval '[[ $(pactl get-default-sink) == null ]]'
}
start_server() { case $1 in pulse) start_sound ;; pipewire) start_pipewire ;; esac; }
start_trayer() {
  [[ -z $tray_pid ]] || { kill "$tray_pid"; wait "$tray_pid"; } 2>/dev/null || true
  trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
  tray_pid=$!
  wait_for "trayer did not start" visible panel
}

copy_program() {
  mkdir -p "$work/app"
  cp "$1" "$work/app/reelbox"
  echo "$work/app/reelbox"
}
run_app() {
  (cd "$work/app" && exec "$app" "$@") >"$work/log" 2>&1 &
  app_pid=$!
}
ended() { ! kill -0 "$app_pid" 2>/dev/null; }
exited() {
  wait_for "$1: still running" ended
  local status=0
  wait "$app_pid" || status=$?
  app_pid=""
  [[ $status == 0 ]] || fail "$1: exit status $status"
}
end_app() { kill -"${2:-TERM}" "$app_pid"; exited "$1"; }

# The movie window's title names the open entry: "<name> - ReelBox", "Movie - ReelBox" when none.
movie_window='* - ReelBox'
window_id() {
  local id name
  while read -r id name; do
    # shellcheck disable=SC2053  # NAME is a pattern
    [[ $name == $1 ]] && xwininfo -id "$id" 2>/dev/null | grep -q IsViewable &&
      { echo "$id"; return 0; }
  done < <(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "\(.*\)": (.*/\1 \2/p')
  return 1
}
visible() { window_id "$1" >/dev/null; }
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                           /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
window_origin() { geometry "$1" | cut -d' ' -f1,2; }
frame_window() { xwininfo -children -id "$1" | awk '/Parent window id/ {print $4}'; }
frame_of() {
  local x y w h l r t b fx fy fw fh m
  read -r x y w h <<<"$(geometry "$1")"
  read -r l r t b <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | grep -o '= .*' | tr -d '=,')"
  if [[ -z ${l:-} && $(frame_window "$1") != "$(xwininfo -root | awk '/Window id/ {print $4}')" ]]; then
    read -r fx fy fw fh <<<"$(geometry "$(frame_window "$1")")"
    m=$(($(window_origin "$2" | cut -d' ' -f1) - $(window_origin "$(frame_window "$2")" | cut -d' ' -f1)))
    echo $((fx + m)) $((fy + m)) $((fx + fw - m)) $((fy + fh - m))
  else
    echo $((x - ${l:-0})) $((y - ${t:-0})) $((x + w + ${r:-0})) $((y + h + ${b:-0}))
  fi
}
above() {  # ID1 ID2; the stacking list is bottom first
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
# No two right clicks land on one spot: they would make a double click.
menu_clicks=0
movie_menu() {
  local x y
  read -r x y <<<"$(window_origin "$(window_id "$movie_window")")"
  menu_clicks=$(((menu_clicks + 1) % 25))
  xdotool mousemove --sync $((x + 40 + 10 * menu_clicks)) $((y + 100)) click 3
  wait_for "no popup menu" menu_shown
  [[ $# == 0 ]] || xdotool key "$@"
}
hide_controls() {
  movie_menu Down Down Return
  wait_for "the control window was not hidden" eval '! visible ReelBox'
}
# The bottom row of the control window, past the speaker picture and the arrow.
click_slider() {
  local x y h
  read -r x y _ h <<<"$(geometry "$(window_id ReelBox)")"
  xdotool mousemove $((x + 52)) $((y + h - 19)) click 1
}
# The raw volume of each channel of the default sink, e.g. "40000 20000"; the screen saver's timeout.
sink_volume() { pactl get-sink-volume @DEFAULT_SINK@ | grep -o ': *[0-9]* */' | tr -dc '0-9 \n' | xargs; }
sink_is() { [[ $(sink_volume) == "$1" ]]; }
saver_timeout() { xset q | awk '/timeout:/ {print $2; exit}'; }
xembed_icon() { xwininfo -tree -id "$(window_id panel)" | awk '/"reelbox"/ {print $1; exit}'; }
xembed_shown() { local id; id=$(xembed_icon) && [[ -n $id ]] && xwininfo -id "$id" | grep -q IsViewable; }

make_clip() {
  local options=size=352x240:rate=30000/1001 codecs=(-target ntsc-vcd)
  [[ $2 == *=* ]] && options=":$options" || options="=$options"  # color=c=red takes more
  case ${4:-mpg} in
    mp4 | mkv) codecs=(-c:v libx264 -preset veryfast) ;;
    webm) codecs=(-c:v libvpx-vp9 -deadline realtime -cpu-used 8) ;;
  esac
  ffmpeg -v error -y -f lavfi -i "$2$options" -f lavfi -i sine -t "$3" \
         "${codecs[@]}" "$work/$1.${4:-mpg}"
}
# Mean absolute difference of two pictures, 0 (same) .. 1.
mae() { { compare -metric MAE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'; }
first_frame() {
  [[ -s $work/$1-first.png ]] ||
    ffmpeg -v error -y -i "$(ls "$work/$1".*)" -frames:v 1 -vf scale=320:240 "$work/$1-first.png"
  echo "$work/$1-first.png"
}
shot_mae() {
  local x y
  read -r x y <<<"$(window_origin "$(window_id "$movie_window")")"
  import -window root -crop "320x240+$((x + 10))+$((y + 10))" +repage "$work/shot.png"
  mae "$work/shot.png" "$(first_frame "$1")"
}
shot_near() { awk -v d="$(shot_mae "$1")" 'BEGIN {exit !(d < 0.05)}'; }
shows() {
  wait_for "the movie window does not show $1's first picture" shot_near "$1"
  [[ -z ${2:-} ]] || awk -v d="$(shot_mae "$2")" -v a="$(mae "$(first_frame "$1")" "$(first_frame "$2")")" \
    'BEGIN {exit !(d > a / 2)}' || fail "the picture looks like $2's"
}
