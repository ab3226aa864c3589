#!/usr/bin/env bash
# The real program on the desktops users run, each scenario below on one desktop (X server and
# window manager) and one sound server:
#   desktop_matrix_test.sh DESKTOP SOUND SET <path of reelbox>
#     DESKTOP  bare (Xvfb alone), openbox, xfwm4 (on a session bus with xfconfd, compositor off)
#              or weston (its XWayland, windows managed by Weston's own X window manager)
#     SOUND    pulse (PulseAudio with a null sink) or pipewire (pipewire, wireplumber and
#              pipewire-pulse with a null sink); ALSA's default reaches either through its pulse
#              plugin
#     SET      all, or quick (the rows marked quick: what every combination runs)
set -euo pipefail
desktop=$1 sound=$2 set=$3 program=$4
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../support/desktops.sh"

# The scenarios: name, the set it belongs to (quick rows run in every set), where it runs, and
# optionally "pending" for a row that waits for a change still to come ("pending:openbox": on
# those desktops only; REELBOX_DESKTOP_PENDING=1 runs them); REELBOX_DESKTOP_ONLY="name ..." runs
# those rows alone. Where: any desktop; input: where the X test extension can press (not on
# headless Weston, which has no seat: its XWayland breaks); x_wm: openbox and xfwm4, whose Alt+F4
# asks to close and which can be restarted; pulse: starting on PulseAudio, with input.
scenarios=(
  "starts            quick  any"
  "full_screen       all    input"
  "close_requests    all    x_wm"
  "hide_and_restore  all    x_wm"  # minimizing needs a window manager
  "tray_raise        all    x_wm"  # the stacking order is a window manager's list
  "tray_host_returns all    input"
  "wm_restart        all    x_wm"
  "volume_150        quick  any"
  "sigterm           quick  any"
  "sound_replaced    all    pulse"
  "killed_x          all    any"  # last: the X server goes with it
)

# --- the program ----------------------------------------------------------------------------
export REELBOX_AO=null
app=$(copy_program "$program")
ffmpeg -v error -f lavfi -i testsrc=size=352x240:rate=30000/1001 -t 2 -target ntsc-vcd "$work/clip.mpg"
saver_timeout() { xset q | awk '/timeout:/ {print $2; exit}'; }
sink_volume() { pactl get-sink-volume @DEFAULT_SINK@ | grep -o ': *[0-9]* */' | tr -dc '0-9 \n' | xargs; }
sink_is() { [[ $(sink_volume) == "$1" ]]; }
ended() { ! kill -0 "$app_pid" 2>/dev/null; }
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                                      /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'; }
both_viewable() { visible ReelBox && visible Form2; }
start_app() {  # NAME [ARGUMENTS...]
  (cd "$work/app" && exec "$app" "${@:2}") >"$work/log" 2>&1 &
  app_pid=$!
  wait_for "$1: the windows did not both come up" both_viewable
  wait_for "$1: the screen saver is still on" eval '[[ $(saver_timeout) == 0 ]]'
}
# Ends the program with SIGTERM; the volume and the screen saver must be as found.
end_app() {
  kill -TERM "$app_pid"
  wait_for "$1: still running after SIGTERM" ended
  local status=0
  wait "$app_pid" || status=$?
  app_pid=""
  [[ $status == 0 ]] || fail "$1: exit status $status"
  [[ -z ${2:-} ]] || sink_is "$2" || fail "$1: volume $(sink_volume), not $2"
  [[ $(saver_timeout) == 321 ]] || fail "$1: screen-saver timeout $(saver_timeout), not 321"
}
start_tray() {
  [[ -z ${tray_pid:-} ]] || { kill "$tray_pid"; wait "$tray_pid"; } 2>/dev/null || true
  trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
  tray_pid=$!
  extra_pids+=($tray_pid)
  wait_for "trayer did not start" visible panel
}
hide_controls() {  # "ｺﾝﾄﾛｰﾙ非表示" from the movie window's menu
  read -r mx my <<<"$(window_origin "$(window_id Form2)")"
  xdotool mousemove --sync $((mx + 100)) $((my + 100)) click 3
  wait_for "no popup menu" menu_shown
  xdotool key Down Down Return
  wait_for "the control window was not hidden" eval '! visible ReelBox'
}
icon_shown() {
  local panel id
  panel=$(window_id panel) || return 1
  id=$(xwininfo -tree -id "$panel" | awk '/"reelbox"/ {print $1; exit}')
  [[ -n $id ]] && xwininfo -id "$id" | grep -q IsViewable
}

# --- the scenarios --------------------------------------------------------------------------
starts() {
  for i in $(seq "$([[ $set == quick ]] && echo 5 || echo 20)"); do
    start_app "start $i"
    end_app "start $i"
  done
}

full_screen() {
  start_app full_screen "$work/clip.mpg"
  local movie before mx my
  movie=$(window_id Form2)
  before=$(geometry "$movie")
  read -r mx my _ _ <<<"$before"
  for round in 1 2; do
    xdotool mousemove $((mx + 60)) $((my + 60)) click --repeat 2 --delay 60 1
    wait_for "full screen $round: not covering the screen: $(geometry "$movie")" \
      eval '[[ $(geometry "$movie") == "0 0 1280 1024" ]]'
    xdotool mousemove 640 500 click --repeat 2 --delay 60 1
    wait_for "full screen $round: not back at $before: $(geometry "$movie")" \
      eval '[[ $(geometry "$movie") == "$before" ]]'
  done
  end_app full_screen
}

close_requests() {
  start_app close_requests
  for name in Form2 ReelBox; do
    xdotool windowactivate --sync "$(window_id "$name")" key --clearmodifiers alt+F4
  done
  wait_for "close requests: the program did not end by its control window" ended
  app_pid=""
  [[ $(saver_timeout) == 321 ]] || fail "close requests: screen saver $(saver_timeout)"
}

# With a tray, the program started and its controls hidden to the icon.
in_tray() {
  start_tray
  start_app "$1"
  [[ -z ${2:-} ]] || $2
  hide_controls
  wait_for "$1: no tray icon" icon_shown
}
click_icon() {
  read -r ix iy <<<"$(window_origin "$(xwininfo -tree -id "$(window_id panel)" | awk '/"reelbox"/ {print $1; exit}')")"
  xdotool mousemove $((ix + 8)) $((iy + 8)) click "$@" 1
}
minimize_controls() {
  xdotool windowminimize "$(window_id ReelBox)"
  wait_for "minimize: the control window stayed" eval '! visible ReelBox'
}

hide_and_restore() {
  in_tray hide_and_restore minimize_controls
  click_icon --repeat 2 --delay 80
  wait_for "restore: the control window did not come back" visible ReelBox
  end_app hide_and_restore
}

# Not kept in front ("手前に表示" off) and covered by another window: one press on the icon
# brings the movie window forward.
untick_in_front() {
  read -r mx my <<<"$(window_origin "$(window_id Form2)")"
  xdotool mousemove --sync $((mx + 100)) $((my + 100)) click 3
  wait_for "no popup menu" menu_shown
  xdotool key Down Return
  wait_for "the menu stayed open" eval '! menu_shown'
  xmessage -name cover -geometry 300x200-0-0 cover &
  extra_pids+=($!)
  wait_for "no cover" visible cover
  wait_for "the cover is not above the movie window" above "$(window_id cover)" "$(window_id Form2)"
}
tray_raise() {
  in_tray tray_raise untick_in_front
  click_icon
  wait_for "a single press did not raise the movie window" \
    above "$(window_id Form2)" "$(window_id cover)"
  end_app tray_raise
}

# The tray goes while the controls are hidden and comes back: so does the icon.
tray_host_returns() {
  in_tray tray_host_returns
  start_tray
  wait_for "the icon did not come back to the new tray" icon_shown
  end_app tray_host_returns
}

# The window manager dies and another starts: both windows are still there.
wm_restart() {
  start_app wm_restart
  kill "$wm_pid"
  wait "$wm_pid" 2>/dev/null || true
  wait_for "WM gone: a window went with it" both_viewable
  if [[ $desktop == openbox ]]; then rm -f "$work/wm-ready"; start_wm; else start_xfwm4; fi
  wait_for "WM back: a window is gone" both_viewable
  end_app wm_restart
}

# The program started on the volume VOLUME and the volume moved: by a click on the slider, or
# without input, by the slider's own rounding at start.
moved_from() {
  pactl set-sink-volume @DEFAULT_SINK@ $1
  start_app "$2"
  [[ $desktop == weston ]] || click_slider
  wait_for "$2: the slider did not move the volume" eval '! sink_is "$1"'
}

# 150 %: the slider shows its top while the program runs; the server's own value comes back.
volume_150() {
  moved_from "98304 49152" volume_150
  end_app volume_150 "98304 49152"
}

sigterm() {
  moved_from "40000 20000" sigterm
  end_app sigterm "40000 20000"
}

# PulseAudio stops and PipeWire takes its place: the slider moves the new server's volume, and
# the value found at start is put back there.
sound_replaced() {
  moved_from "40000 20000" sound_replaced
  kill "$sound_pid"
  wait "$sound_pid" 2>/dev/null || true
  rm -rf "$XDG_RUNTIME_DIR/pulse"
  start_pipewire
  pactl set-sink-volume @DEFAULT_SINK@ 30000
  click_slider
  wait_for "the slider does not follow the new server" eval '! sink_is "30000 30000"'
  end_app sound_replaced "40000 20000"
  ! grep -i 'alsa\|pulse\|snd_' "$work/log" || fail "sound chatter after the server was replaced"
}

# The X server goes away under the program: it ends, the volume as found. The screen saver's
# setting went with that server.
killed_x() {
  moved_from "40000 20000" killed_x
  if [[ $desktop == weston ]]; then kill "$weston_pid"; else kill "$xvfb_pid"; fi
  wait_for "killed X: still running" ended
  app_pid=""
  sink_is "40000 20000" || fail "killed X: volume $(sink_volume)"
}

# --- the run --------------------------------------------------------------------------------
start_bus
start_desktop "$desktop"
start_server "$sound"
xset s 321
ran=()
for row in "${scenarios[@]}"; do
  read -r name sets where pending <<<"$row"
  [[ $set == all || $sets == quick ]] || continue
  [[ -z ${REELBOX_DESKTOP_ONLY:-} || " $REELBOX_DESKTOP_ONLY " == *" $name "* ]] || continue
  [[ -z ${pending:-} || -n ${REELBOX_DESKTOP_PENDING:-} ||
     ($pending == pending:* && ",${pending#pending:}," != *",$desktop,"*) ]] || continue
  case $where in
    input) [[ $desktop != weston ]] || continue ;;
    x_wm) [[ $desktop == openbox || $desktop == xfwm4 ]] || continue ;;
    pulse) [[ $sound == pulse && $desktop != weston ]] || continue ;;
  esac
  SECONDS=0
  "$name"
  ran+=("$name ${SECONDS}s")
done
echo "ok ($desktop, $sound: $(IFS=,; echo "${ran[*]}"))"
