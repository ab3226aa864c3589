#!/bin/sh
# Runs a command on the current X display with a window manager (openbox) managing its windows.
#   with_window_manager.sh COMMAND [ARGS...]
command -v openbox >/dev/null || { echo "openbox is missing (scripts/install-deps.sh --test)" >&2; exit 1; }
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
i=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
  i=$((i + 1))
  [ $i -gt 100 ] && { echo "openbox did not start" >&2; kill $wm; exit 1; }
  sleep 0.1
done
"$@"
rc=$?
kill $wm 2>/dev/null
wait $wm 2>/dev/null
exit $rc
