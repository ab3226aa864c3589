#!/usr/bin/env bash
# The real program's two windows under a window manager (openbox) on a 1280x1024 X server, with a
# tray of either kind: an XEmbed one (trayer) or one over D-Bus (a StatusNotifierWatcher). Run
# inside a session bus of its own (dbus-run-session). Each row starts the program afresh on a red
# clip; the picture is wherever the screen is red.
#   desktop_windows_xvfb_test.sh <path of reelbox> <path of status_notifier_watcher> [ROW...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"
program=$1 watcher_program=$2
shift 2
rows=("$@")
((${#rows[@]})) || rows=("surface none" "parking none" "close none" "tray_press xembed"
                         "tray_press dbus" "tray_restore xembed" "tray_restore dbus")

ffmpeg -v error -y -f lavfi -i "color=c=red:size=352x240:rate=30000/1001" -f lavfi -i sine -t 60 \
       -target ntsc-vcd "$work/red.mpg"
start_xvfb 1280x1024x24
start_sound  # a mixer: no message box at start
start_wm
app=$(copy_program "$program")
export REELBOX_AO=null
helpers=()
trap 'for p in "${helpers[@]}"; do kill "$p" 2>/dev/null || true; done; cleanup' EXIT

long_wait() { for _ in $(seq 200); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done; fail "$row: ${*}"; }
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                                      /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'; }
red_at() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | sed -n '2s/^[^(]*(\([0-9,]*\)).*/\1/p' |
           awk -F, '{exit !($1 > 150 && $2 < 90 && $3 < 90)}'; }
pointer_at() { [[ $(xdotool getmouselocation | awk '{print $1, $2}') == "x:$1 y:$2" ]]; }
geometry_is() { [[ $(geometry "$movie") == "$1" ]]; }
ended() { ! kill -0 "$app_pid" 2>/dev/null; }
iconic() { xprop -id "$1" WM_STATE | grep -q 'window state: Iconic'; }
viewable_not_iconic() { local id; id=$(window_id ReelBox) && ! iconic "$id"; }

start_app() {
  (cd "$work/app" && exec "$app" "$work/red.mpg") >"$work/log" 2>&1 &
  app_pid=$!
  wait_for "$row: no control window" visible ReelBox
  wait_for "$row: no movie window" visible Form2
  movie=$(window_id Form2)
  read -r mx my mw mh <<<"$(geometry "$movie")"
  wait_for "$row: no picture" red_at $((mx + 20)) $((my + 20))
}
stop_app() {
  kill -TERM "$app_pid"
  wait_for "$row: still running" ended
  wait "$app_pid" || fail "$row: exit status $?"
  app_pid=""
}
# The movie window's menu, then KEYS; no two right clicks on one spot (a double click).
clicks=0
menu() {
  clicks=$((clicks + 1))
  xdotool mousemove --sync $((mx + 40 + 10 * clicks)) $((my + 100)) click 3
  wait_for "$row: no popup menu" menu_shown
  xdotool key "$@"
}
double_click_picture() { xdotool mousemove --sync $((mx + 60)) $((my + 60)) click --repeat 2 --delay 60 1; }
full_screen() { wait_for "$row: not full screen" geometry_is "0 0 1280 1024"; }

# The trays: how to start one, whether the icon is there, a press, a double click.
start_tray() {
  case $1 in
  xembed)
    trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
    helpers+=($!)
    wait_for "trayer did not start" visible panel ;;
  dbus)
    "$watcher_program" >"$work/watcher.log" 2>&1 &
    helpers+=($!)
    wait_for "the watcher did not start" grep -q ready "$work/watcher.log" ;;
  esac
}
xembed_icon() { xwininfo -tree -id "$(window_id panel)" | awk '/"reelbox"/ {print $1; exit}'; }
dbus_item() { gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
                --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher \
                RegisteredStatusNotifierItems | grep -o "'[^']*'" | tr -d "'" | head -1; }
# An item is its bus name and object path; Qt takes the object off the bus when it hides the icon.
dbus_call() { local item; item=$(dbus_item); [[ -n $item ]] &&
                gdbus call --session --dest "${item%%/*}" --object-path "/${item#*/}" --method "$@"; }
icon_shown() {
  case $tray in
  xembed) local id; id=$(xembed_icon); [[ -n $id ]] && xwininfo -id "$id" | grep -q IsViewable ;;
  dbus) dbus_call org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem Status >/dev/null ;;
  esac
}
no_icon() { ! icon_shown; }
icon() {  # press | double
  if [[ $tray == xembed ]]; then
    read -r ix iy <<<"$(window_origin "$(xembed_icon)")"
    if [[ $1 == press ]]; then xdotool mousemove $((ix + 8)) $((iy + 8)) click 1
    else xdotool mousemove $((ix + 8)) $((iy + 8)) click --repeat 2 --delay 80 1; fi
  else
    local method=Activate; [[ $1 == press ]] || method=SecondaryActivate
    dbus_call "org.kde.StatusNotifierItem.$method" 0 0 >/dev/null
  fi
}
hide_controls() {
  menu Down Down Return  # "ｺﾝﾄﾛｰﾙ非表示"
  wait_for "$row: the control window was not hidden" eval '! visible ReelBox'
  wait_for "$row: no tray icon" icon_shown
}

# A double click on the window's own margin toggles full screen, Esc leaves it, and a drag from the
# margin moves the window.
surface() {
  local before; before=$(geometry "$movie")
  xdotool mousemove --sync $((mx + 4)) $((my + mh / 2)) click --repeat 2 --delay 60 1
  full_screen
  xdotool key Escape
  wait_for "$row: Esc did not leave full screen" geometry_is "$before"
  xdotool mousemove --sync $((mx + 4)) $((my + mh / 2)) mousedown 1
  for step in 5 10 20 40 60 80 100; do xdotool mousemove --sync $((mx + 4 + step)) $((my + mh / 2)); done
  xdotool mouseup 1
  wait_for "$row: the drag did not move the window" eval '(( $(geometry "$movie" | cut -d" " -f1) > mx + 50 ))'
}
# Full screen parks the idle cursor at the top right edge and leaves it there: the jump is no
# movement of the user's. Esc comes after the jump, so once full screen has ended the program has
# seen the jump.
parking() {
  local before; before=$(geometry "$movie")
  double_click_picture
  full_screen
  for x in 300 600 900; do xdotool mousemove --sync "$x" 1000; done  # across the strip
  long_wait pointer_at 1279 2
  xdotool key Escape
  wait_for "$row: Esc did not leave full screen" geometry_is "$before"
  pointer_at 1279 2 || fail "$row: the cursor left its place: $(xdotool getmouselocation)"
}
# The window manager's close (Alt+F4) leaves the movie window and its picture as they were; on the
# control window it ends the program.
close() {
  xdotool windowactivate --sync "$movie" key alt+F4
  double_click_picture  # after the close request: full screen shows the picture
  full_screen
  wait_for "$row: no picture in full screen" red_at 640 512
  xdotool key Escape
  wait_for "$row: Esc did not leave full screen" geometry_is "$mx $my $mw $mh"
  xdotool windowactivate --sync "$(window_id ReelBox)" key alt+F4
  wait_for "$row: closing the control window did not end the program" ended
  wait "$app_pid" || fail "$row: exit status $?"
  app_pid=""
}
# Not kept in front and below another window: a press on the icon brings it forward.
tray_press() {
  menu Down Return  # "手前に表示" off
  xmessage -name cover -geometry 300x200+0+700 cover &
  helpers+=($!)
  wait_for "$row: no cover" visible cover
  wait_for "$row: the cover is not above" above "$(window_id cover)" "$movie"
  hide_controls
  icon press
  wait_for "$row: the press did not bring the movie window forward" above "$movie" "$(window_id cover)"
  kill "${helpers[-1]}"
}
# Minimized, then hidden to the tray: a double click brings it back as a window.
tray_restore() {
  xdotool windowminimize --sync "$(window_id ReelBox)"
  wait_for "$row: not minimized" eval '! visible ReelBox'
  hide_controls
  icon double
  wait_for "$row: the double click did not bring the control window back" viewable_not_iconic
  wait_for "$row: the icon stayed" no_icon
}

for row in "${rows[@]}"; do
  read -r scenario tray <<<"$row"
  start_tray "$tray"
  start_app
  "$scenario"
  [[ -z $app_pid ]] || stop_app
  for p in "${helpers[@]}"; do kill "$p" 2>/dev/null || true; done
  helpers=()
  echo "ok: $row"
done
