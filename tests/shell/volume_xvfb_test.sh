#!/usr/bin/env bash
# The real program moves the desktop's master volume (a PulseAudio sink behind ALSA's default
# device, read with pactl from outside) and puts it back however it ends: its menu's "終了",
# SIGTERM, SIGINT, SIGHUP. Without a sound server it says so once and the slider stays put.
#   volume_xvfb_test.sh <path of reelbox>
set -euo pipefail
program=$1
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../support/xvfb.sh"
source "$here/../support/pulse.sh"

start_xvfb 1280x1024x24
app=$(copy_program "$program")

# Without a sound server (no card either): the message box comes first, titled ReelBox; after OK
# the control window comes up and the program works.
export XDG_RUNTIME_DIR=$work/no-server
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
(cd "$work/app" && exec "$app") >"$work/log" 2>&1 &
app_pid=$!
wait_until visible ReelBox || fail "no message without a sound server"
box=$(window_id ReelBox)
xprop -id "$box" _NET_WM_WINDOW_TYPE | grep -q DIALOG || fail "the first window is not the message box"
xdotool key Return
wait_until visible Form2 || fail "no movie window after the message"
kill -TERM "$app_pid"; wait "$app_pid" || fail "exit status $? without a server"; app_pid=""

start_pulse
control_geometry() {
  local id
  id=$(window_id ReelBox) || return 1
  xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                            /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
sink_is() { [[ $(sink_volume) == "$1" ]]; }

for ending in menu TERM INT HUP; do
  set_sink_volume 40000 40000
  (cd "$work/app" && exec "$app") >"$work/log" 2>&1 &
  app_pid=$!
  # At start the slider takes the master's value and writes it back in its own units (40000 / 3).
  wait_until sink_is "39999 39999" || fail "$ending: the slider did not take the master volume: $(sink_volume)"
  wait_until control_geometry || fail "$ending: no control window"
  read -r cx cy cw ch <<<"$(control_geometry)"
  # A click on the volume slider's trough left of the thumb (the bottom row, after the speaker
  # picture and the arrow): one large step down, 13333 - 4369 slider units.
  xdotool mousemove $((cx + 52)) $((cy + ch - 19)) click 1
  wait_until sink_is "26892 26892" || fail "$ending: the slider did not move the master volume: $(sink_volume)"

  if [[ $ending == menu ]]; then
    # The movie window's menu, its last item "終了".
    movie=$(window_id Form2)
    read -r mx my <<<"$(window_origin "$movie")"
    xdotool mousemove $((mx + 100)) $((my + 100)) click 3
    wait_until menu_shown || fail "no popup menu"
    xdotool key Up Return
  else
    kill -"$ending" "$app_pid"
  fi
  status=0
  wait "$app_pid" || status=$?
  app_pid=""
  [[ $status == 0 ]] || fail "$ending: exit status $status"
  sink_is "40000 40000" || fail "$ending: master volume $(sink_volume) after the end"
done
echo ok
