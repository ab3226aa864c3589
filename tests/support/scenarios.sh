#!/usr/bin/env bash
# The real program's scenarios, each on one desktop (X server and window manager) and one sound
# server, with a session bus of the test's own:
#   scenarios.sh [NAME=PATH...] DESKTOP SOUND SET...
#     NAME=PATH  program= the program (needed); watcher= status_notifier_watcher, drag= drag_files
#                (tests/support), build= the build folder, for the scenarios that use them
#     DESKTOP    bare, openbox, xfwm4 or weston (start_desktop in xvfb.sh)
#     SOUND      pulse, pipewire or none (start_server in xvfb.sh)
#     SET        all (every row of the matrix), quick (its rows marked quick: what every
#                combination runs), or the names of the rows to run
# Each scenario is a function in tests/<folder>/*_scenarios.sh, beside the tests of the program's
# folder it concerns; the helpers below are shared by them.
set -euo pipefail
while [[ $1 == *=* ]]; do declare "$1"; shift; done
desktop=$1 sound=$2
shift 2
set=" $* "
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/xvfb.sh"
for file in "$here"/../*/*_scenarios.sh; do source "$file"; done

# The rows: name, set (quick and all: the desktop matrix; own: run when named), where it runs,
# and optionally "pending" for a row that waits for a change still to come ("pending:openbox": on
# those desktops only; REELBOX_DESKTOP_PENDING=1 runs them). Where: any desktop; input: where the
# X test extension can press (not on headless Weston, which has no seat: its XWayland breaks);
# x_wm: openbox and xfwm4, whose Alt+F4 asks to close and which can be restarted; openbox alone;
# pulse: starting on PulseAudio, with input.
scenarios=(
  "starts                quick  any"
  "full_screen           all    input"
  "close_requests        all    x_wm"
  "hide_and_restore      all    x_wm"  # minimizing needs a window manager
  "tray_raise            all    x_wm"  # the stacking order is a window manager's list
  "tray_host_returns     all    input"
  "dbus_tray_raise       all    openbox"
  "dbus_hide_and_restore all    openbox"
  "surface               all    openbox"
  "parking               all    openbox"
  "wm_restart            all    x_wm"
  "volume_150            quick  any"
  "sound_stream          all    any"
  "sigterm               quick  any"
  "sound_replaced        all    pulse"
  "signals               own    any"
  "keyboard              own    any"
  "mpris                 own    any"
  "volume                own    any"
  "first_picture         own    any"
  "disc_image            own    any"
  "install_tree          own    any"
  "package               own    any"
  "killed_x              all    any"  # last: the X server goes with it
)

# --- shared by the scenarios ------------------------------------------------------------------
# app_up NAME: both windows up and the screen saver off; start_app NAME [ARG...]: run_app, then
# that. stop_app NAME [VOLUME]: ended by SIGTERM, the volume (when given) and the screen saver as
# found.
both_viewable() { visible ReelBox && visible "$movie_window"; }
app_up() {
  wait_tenths=300 wait_for "$1: the windows did not both come up" both_viewable
  wait_for "$1: the screen saver is still on" eval '[[ $(saver_timeout) == 0 ]]'
}
start_app() { run_app "${@:2}"; app_up "$1"; }
stop_app() {
  end_app "$1"
  [[ -z ${2:-} ]] || sink_is "$2" || fail "$1: volume $(sink_volume), not $2"
  [[ $(saver_timeout) == 321 ]] || fail "$1: screen-saver timeout $(saver_timeout), not 321"
}
# drop_files FILE...: another program drops the files onto the movie window by a real X11 drag
# (XDND: tests/support's drag_files, pressed and dragged by xdotool).
drop_files() {
  "$drag" "$@" >"$work/drag.log" 2>&1 &
  extra_pids+=($!)
  wait_for "no drag source window" visible drag_files
  read -r mx my <<<"$(window_origin "$(window_id "$movie_window")")"
  # The drag starts on the press; the pointer then travels to the movie window in steps, as a
  # hand would, and lets go there.
  xdotool mousemove 60 60 mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((60 + (mx + 170 - 60) * step / 8)) $((60 + (my + 130 - 60) * step / 8))
    sleep 0.05
  done
  xdotool mouseup 1
}
# The media controls through playerctl: pc ARGS; is VALUE ARGS (the answer is VALUE); near VALUE
# [WHAT] (position or volume, within $near_by); mpris_get PROPERTY (the player's, type dropped).
pc() { playerctl -p reelbox "$@" 2>/dev/null; }
is() { [[ $(pc "${@:2}") == "$1" ]]; }
near() { awk -v a="$(pc "${2:-position}")" -v b="$1" -v d="${near_by:-0.02}" 'BEGIN { exit !(a - b < d && b - a < d) }'; }
mpris_get() {
  dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.reelbox /org/mpris/MediaPlayer2 \
    org.freedesktop.DBus.Properties.Get string:org.mpris.MediaPlayer2.Player string:"$1" |
    awk 'NR == 2 {print $3}'
}

# --- the run: movies sound on the sound server's default sink ----------------------------------
start_session_bus
start_desktop "$desktop"
start_server "$sound"
xset s 321
app=$(copy_program "$program")
ran=()
for row in "${scenarios[@]}"; do
  read -r name sets where pending <<<"$row"
  if [[ $set == " all " || $set == " quick " ]]; then
    [[ $sets == quick || ($set == " all " && $sets == all) ]] || continue
  else
    [[ $set == *" $name "* ]] || continue
  fi
  [[ -z ${pending:-} || -n ${REELBOX_DESKTOP_PENDING:-} ||
     ($pending == pending:* && ",${pending#pending:}," != *",$desktop,"*) ]] || continue
  case $where in
    input) [[ $desktop != weston ]] || continue ;;
    x_wm) [[ $desktop == openbox || $desktop == xfwm4 ]] || continue ;;
    openbox) [[ $desktop == openbox ]] || continue ;;
    pulse) [[ $sound == pulse && $desktop != weston ]] || continue ;;
  esac
  SECONDS=0
  "$name"
  ran+=("$name ${SECONDS}s")
done
((${#ran[@]})) || fail "no scenario named in '$set' runs on $desktop"
echo "ok ($desktop, $sound: $(IFS=,; echo "${ran[*]}"))"
