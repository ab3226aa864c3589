#!/usr/bin/env bash
# The real program hides its control window to a tray icon in a real tray (trayer) and a double
# click on the icon brings it back; on a desktop without a tray, the movie window's menu does.
#   tray_xvfb_test.sh <path of reelbox>
set -euo pipefail
program=$1
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../support/xvfb.sh"
source "$here/../support/pulse.sh"

start_xvfb 1280x1024x24
start_pulse  # a sound server: no mixer message at start
app=$(copy_program "$program")

control_shown() { visible ReelBox; }
control_hidden() { ! visible ReelBox; }
# The icon is a window named after the program, inside the tray's panel.
icon_id() { xwininfo -tree -id "$panel" | awk '/"reelbox"/ {print $1; exit}'; }
icon_shown() { local id; id=$(icon_id); [[ -n $id ]] && xwininfo -id "$id" | grep -q IsViewable; }
no_icon() { ! icon_shown; }

# "ｺﾝﾄﾛｰﾙ非表示", the second item of the movie window's menu. Each right click lands somewhere
# else, so that two in a row never make a double click.
menu_clicks=0
menu_hide_or_show() {
  local movie mx my
  movie=$(window_id Form2)
  read -r mx my <<<"$(window_origin "$movie")"
  menu_clicks=$((menu_clicks + 1))
  xdotool mousemove --sync $((mx + 60 + 40 * (menu_clicks % 3))) $((my + 100)) click 3
  wait_until menu_shown || fail "no popup menu"
  xdotool key Down Down Return
}

start_program() {
  (cd "$work/app" && exec "$app") >"$work/log" 2>&1 &
  app_pid=$!
  wait_until control_shown || fail "no control window"
}

end_program() {
  kill -TERM "$app_pid"
  local status=0
  wait "$app_pid" || status=$?
  app_pid=""
  [[ $status == 0 ]] || fail "exit status $status"
}

# A tray in the top right corner.
trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
tray_pid=$!
trap 'kill "$tray_pid" 2>/dev/null || true; stop_pulse; cleanup' EXIT
tray_up() { visible panel; }
wait_until tray_up || fail "trayer did not start"
panel=$(window_id panel)

start_program
menu_hide_or_show
wait_until control_hidden || fail "the control window was not hidden"
wait_until icon_shown || fail "no tray icon"
read -r ix iy <<<"$(window_origin "$(icon_id)")"
((iy < 24 && ix > 1000)) || fail "the icon is at $ix,$iy, not in the tray"
xdotool mousemove $((ix + 8)) $((iy + 8)) click --repeat 2 --delay 80 1
wait_until control_shown || fail "a double click on the icon did not bring the control window back"
wait_until no_icon || fail "the icon stayed"
end_program

# No tray at all: the menu hides the control window and brings it back.
kill "$tray_pid"
wait "$tray_pid" 2>/dev/null || true
start_program
menu_hide_or_show
wait_until control_hidden || fail "without a tray: not hidden"
menu_hide_or_show
wait_until control_shown || fail "without a tray: the menu did not bring the control window back"
end_program
echo ok
