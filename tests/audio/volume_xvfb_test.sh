#!/usr/bin/env bash
# The real program on a real X server with a real tray (trayer) and sound server.
# The desktop's master volume (a PulseAudio sink behind ALSA's default device, read with pactl
# from outside) moves with the slider and every channel is put back however the program ends: its
# menu's "終了", SIGTERM, SIGINT, SIGHUP. A sound server that stops while it runs is ignored
# quietly. The movie window's menu hides the control window to an icon in the tray, and a double
# click on the icon brings it back; once the tray has gone, the menu does both.
#   volume_xvfb_test.sh <path of reelbox>
set -euo pipefail
program=$1
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../support/xvfb.sh"
start_xvfb 1280x1024x24
app=$(copy_program "$program")
start_sound
trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
tray_pid=$!
trap 'kill "$tray_pid" 2>/dev/null || true; cleanup' EXIT
wait_until visible panel || fail "trayer did not start"
panel=$(window_id panel)

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
# Opens the movie window's menu and presses KEYS. No two right clicks land on the same spot:
# they would make a double click.
clicks=0
menu() {
  local mx my
  read -r mx my <<<"$(window_origin "$(window_id Form2)")"
  clicks=$((clicks + 1))
  xdotool mousemove --sync $((mx + 60 + 40 * clicks)) $((my + 100)) click 3
  wait_until menu_shown || fail "no popup menu"
  xdotool key "$@"
}
hide_or_show() { menu Down Down Return; }  # "ｺﾝﾄﾛｰﾙ非表示", the second item
hidden() { ! visible ReelBox; }
# The icon: a window named after the program, taken into the tray's panel.
icon_id() { xwininfo -tree -id "$panel" | awk '/"reelbox"/ {print $1; exit}'; }
icon_shown() { local id; id=$(icon_id); [[ -n $id ]] && xwininfo -id "$id" | grep -q IsViewable; }
no_icon() { ! icon_shown; }

# From an uneven balance: at start the slider takes the loudest channel and writes it back in its
# own units (40000 / 3 = 13333), the balance kept; a click takes 4369 units off.
for ending in menu TERM INT HUP; do
  set_sink_volume 40000 20000
  start_app
  wait_until sink_is "39999 20000" || fail "$ending: the slider did not take the master volume: $(sink_volume)"
  click_slider
  wait_until sink_is "26892 13446" || fail "$ending: the slider did not move the master volume: $(sink_volume)"
  if [[ $ending == menu ]]; then
    hide_or_show
    wait_until hidden || fail "the control window was not hidden"
    wait_until icon_shown || fail "no tray icon"
    read -r ix iy <<<"$(window_origin "$(icon_id)")"
    ((iy < 24 && ix > 1000)) || fail "the icon is at $ix,$iy, not in the tray"
    xdotool mousemove $((ix + 8)) $((iy + 8)) click --repeat 2 --delay 80 1
    wait_until visible ReelBox || fail "a double click on the icon did not bring the control window back"
    wait_until no_icon || fail "the icon stayed"
    menu Up Return  # "終了", the last item
  else
    if [[ $ending == TERM ]]; then
      kill "$tray_pid"
      hide_or_show
      wait_until hidden || fail "without a tray: not hidden"
      hide_or_show
      wait_until visible ReelBox || fail "without a tray: the menu did not bring the control window back"
    fi
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
