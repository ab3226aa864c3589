#!/usr/bin/env bash
# The real program hides its control window to an icon in a real tray (trayer) and a double click
# on the icon brings it back; once the tray has gone, the movie window's menu does both.
#   tray_xvfb_test.sh <path of reelbox>
set -euo pipefail
program=$1
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../support/xvfb.sh"
start_xvfb 1280x1024x24
start_sound
app=$(copy_program "$program")

trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
tray_pid=$!
trap 'kill "$tray_pid" 2>/dev/null || true; cleanup' EXIT
wait_until visible panel || fail "trayer did not start"
panel=$(window_id panel)

hidden() { ! visible ReelBox; }
# The icon: a window named after the program, taken into the tray's panel.
icon_id() { xwininfo -tree -id "$panel" | awk '/"reelbox"/ {print $1; exit}'; }
icon_shown() { local id; id=$(icon_id); [[ -n $id ]] && xwininfo -id "$id" | grep -q IsViewable; }
# "ｺﾝﾄﾛｰﾙ非表示", the movie window's second menu item. No two right clicks land on the same spot:
# they would make a double click.
clicks=0
menu_hide_or_show() {
  local mx my
  read -r mx my <<<"$(window_origin "$(window_id Form2)")"
  clicks=$((clicks + 1))
  xdotool mousemove --sync $((mx + 60 + 40 * clicks)) $((my + 100)) click 3
  wait_until menu_shown || fail "no popup menu"
  xdotool key Down Down Return
}

(cd "$work/app" && exec "$app") >"$work/log" 2>&1 &
app_pid=$!
wait_until visible ReelBox || fail "no control window"
menu_hide_or_show
wait_until hidden || fail "the control window was not hidden"
wait_until icon_shown || fail "no tray icon"
read -r ix iy <<<"$(window_origin "$(icon_id)")"
((iy < 24 && ix > 1000)) || fail "the icon is at $ix,$iy, not in the tray"
xdotool mousemove $((ix + 8)) $((iy + 8)) click --repeat 2 --delay 80 1
wait_until visible ReelBox || fail "a double click on the icon did not bring the control window back"
no_icon() { ! icon_shown; }
wait_until no_icon || fail "the icon stayed"

kill "$tray_pid"
menu_hide_or_show
wait_until hidden || fail "without a tray: not hidden"
menu_hide_or_show
wait_until visible ReelBox || fail "without a tray: the menu did not bring the control window back"
kill -TERM "$app_pid"
wait "$app_pid" || fail "exit status $?"
app_pid=""
echo ok
