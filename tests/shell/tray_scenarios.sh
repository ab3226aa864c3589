# The tray icon of the real program (tests/support/scenarios.sh runs these), in a tray of either
# kind: an XEmbed one (trayer) or one over D-Bus (the StatusNotifierWatcher of tests/support).
# Checks: tray.cpp (src/shell); qt_tray_icon.cpp, x11_wm_state.cpp (src/platform/linux).

use_tray() {  # xembed | dbus: that tray alone, afresh
  tray=$1
  [[ -z ${watcher_pid:-} ]] || { kill "$watcher_pid"; wait "$watcher_pid"; } 2>/dev/null || true
  [[ -z $tray_pid ]] || { kill "$tray_pid"; wait "$tray_pid"; } 2>/dev/null || true
  tray_pid="" watcher_pid=""
  if [[ $tray == xembed ]]; then
    start_trayer
  else
    "$watcher" >"$work/watcher.log" 2>&1 &
    watcher_pid=$!
    extra_pids+=($watcher_pid)
    wait_for "the watcher did not start" grep -q ready "$work/watcher.log"
  fi
}
dbus_item() { gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
                --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher \
                RegisteredStatusNotifierItems | grep -o "'[^']*'" | tr -d "'" | head -1; }
# An item is its bus name and object path; Qt takes the object off the bus when it hides the icon.
dbus_call() { local item; item=$(dbus_item); [[ -n $item ]] &&
                gdbus call --session --dest "${item%%/*}" --object-path "/${item#*/}" --method "$@"; }
icon_shown() {
  if [[ $tray == xembed ]]; then xembed_shown
  else dbus_call org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem Status >/dev/null; fi
}
icon() {  # press | double
  if [[ $tray == xembed ]]; then
    read -r ix iy <<<"$(window_origin "$(xembed_icon)")"
    if [[ $1 == press ]]; then xdotool mousemove $((ix + 8)) $((iy + 8)) click 1
    else xdotool mousemove $((ix + 8)) $((iy + 8)) click --repeat 2 --delay 80 1; fi
  else  # a host's activation per click; a double click is two, close together
    local item count=1; [[ $1 == press ]] || count=2
    item=$(dbus_item) && "$watcher" activate "${item%%/*}" "/${item#*/}" "$count"
  fi
}
# In tray KIND, the program started, PREPARE run, and its controls hidden to the icon.
in_tray() {  # NAME KIND [PREPARE]
  use_tray "$2"
  start_app "$1"
  [[ -z ${3:-} ]] || $3
  hide_controls
  wait_for "$1: no tray icon" icon_shown
}
minimize_controls() {
  xdotool windowminimize --sync "$(window_id ReelBox)"
  wait_for "minimize: the control window stayed" eval '! visible ReelBox'
}
viewable_not_iconic() {
  local id
  id=$(window_id ReelBox) && ! xprop -id "$id" WM_STATE | grep -q 'window state: Iconic'
}

# Minimized, then hidden to the tray: a double click brings it back as a window, and the icon goes.
hide_and_restore() {
  local kind=${tray:-xembed}
  in_tray "hide and restore ($kind)" "$kind" minimize_controls
  icon double
  wait_for "restore: the control window did not come back" viewable_not_iconic
  wait_for "restore: the icon stayed" eval '! icon_shown'
  stop_app "hide and restore"
}
dbus_hide_and_restore() { tray=dbus hide_and_restore; }

# Not kept in front ("手前に表示" off) and covered by another window: one press on the icon
# brings the movie window forward.
untick_in_front() {
  movie_menu Down Return
  wait_for "the menu stayed open" eval '! menu_shown'
  xmessage -name cover -geometry 300x200-0-0 cover &
  cover_pid=$!
  extra_pids+=($cover_pid)
  wait_for "no cover" visible cover
  wait_for "the cover is not above the movie window" above "$(window_id cover)" "$(window_id "$movie_window")"
}
tray_raise() {
  local kind=${tray:-xembed}
  in_tray "tray raise ($kind)" "$kind" untick_in_front
  icon press
  wait_for "a single press did not raise the movie window" above "$(window_id "$movie_window")" "$(window_id cover)"
  kill "$cover_pid"
  stop_app "tray raise"
}
dbus_tray_raise() { tray=dbus tray_raise; }

# The tray goes while the controls are hidden and comes back: so does the icon.
tray_host_returns() {
  in_tray tray_host_returns xembed
  start_trayer
  wait_for "the icon did not come back to the new tray" icon_shown
  stop_app tray_host_returns
}
