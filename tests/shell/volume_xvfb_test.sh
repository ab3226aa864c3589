#!/usr/bin/env bash
# The real program moves the desktop's master volume (a PulseAudio sink behind ALSA's default
# device, read with pactl from outside) and puts every channel back however it ends: its menu's
# "終了", SIGTERM, SIGINT, SIGHUP. A sound server that stops while it runs is ignored quietly.
#   volume_xvfb_test.sh <path of reelbox>
set -euo pipefail
program=$1
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../support/xvfb.sh"
start_xvfb 1280x1024x24 -noreset  # the program is started several times
app=$(copy_program "$program")

start_sound
set_sink_volume() { pactl set-sink-volume @DEFAULT_SINK@ "$@"; }
# The raw volume of each channel, e.g. "40000 20000".
sink_volume() { pactl get-sink-volume @DEFAULT_SINK@ | grep -o ': *[0-9]* */' | tr -dc '0-9 \n' | xargs; }
sink_is() { [[ $(sink_volume) == "$1" ]]; }
start_app() {
  (cd "$work/app" && exec "$app") >"$work/log" 2>&1 &
  app_pid=$!
  wait_until visible ReelBox || fail "no control window: $(cat "$work/log")"
}
end_app() {
  local status=0
  wait "$app_pid" || status=$?
  app_pid=""
  [[ $status == 0 ]] || fail "$1: exit status $status"
}
# A click on the volume slider's trough left of the thumb (the bottom row, past the speaker
# picture and the arrow): one large step down.
click_slider() {
  local id x y h
  id=$(window_id ReelBox)
  read -r x y <<<"$(window_origin "$id")"
  h=$(xwininfo -id "$id" | awk '/Height:/ {print $2}')
  xdotool mousemove $((x + 52)) $((y + h - 19)) click 1
}

# From an uneven balance: at start the slider takes the loudest channel and writes it back in its
# own units (40000 / 3 = 13333), the balance kept; a click takes 4369 units off.
for ending in menu TERM INT HUP; do
  set_sink_volume 40000 20000
  start_app
  wait_until sink_is "39999 20000" || fail "$ending: the slider did not take the master volume: $(sink_volume)"
  click_slider
  wait_until sink_is "26892 13446" || fail "$ending: the slider did not move the master volume: $(sink_volume)"
  if [[ $ending == menu ]]; then
    read -r mx my <<<"$(window_origin "$(window_id Form2)")"
    xdotool mousemove $((mx + 100)) $((my + 100)) click 3
    wait_until menu_shown || fail "no popup menu"
    xdotool key Up Return  # "終了", the last item
  else
    kill -"$ending" "$app_pid"
  fi
  end_app "$ending"
  sink_is "40000 20000" || fail "$ending: master volume $(sink_volume) after the end"
done

# The server stops while the program runs: slider moves are ignored without a word.
start_app
kill "$sound_pid"
for _ in 1 2 3; do click_slider; done
kill -TERM "$app_pid"
end_app "server gone"
! grep -i 'alsa\|pulse\|snd_' "$work/log" || fail "sound chatter after the server went away"
echo ok
