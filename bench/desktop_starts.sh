#!/usr/bin/env bash
# Starts without a viewable movie window, per desktop: the real program started N times (default
# 50) on each desktop, each start given 10 s for both windows to be viewable (the control window
# "ReelBox" and the movie window "<entry> - ReelBox"), then ended with SIGTERM. Target: 0 of 50 everywhere.
#   bench/desktop_starts.sh [path of reelbox] [starts] [desktops...]
#   desktops: bare openbox xfwm4 weston (all four by default)
set -euo pipefail
program=$(realpath "${1:-build/reelbox}")
starts=${2:-50}
shift $(($# < 2 ? $# : 2))
desktops=("${@:-bare openbox xfwm4 weston}")
here=$(dirname "${BASH_SOURCE[0]}")

for desktop in ${desktops[*]}; do
  (
    source "$here/../tests/support/xvfb.sh"
    export REELBOX_AO=null
    start_session_bus
    start_desktop "$desktop"
    start_sound
    app=$(copy_program "$program")
    missing=0 control_missing=0
    for _ in $(seq "$starts"); do
      (cd "$work/app" && exec "$app") >/dev/null 2>&1 &
      app_pid=$!
      wait_until visible "$movie_window" || missing=$((missing + 1))
      wait_until visible ReelBox || control_missing=$((control_missing + 1))
      kill -TERM "$app_pid"
      wait "$app_pid" || true
      app_pid=""
    done
    echo "$desktop: movie window not viewable in $missing of $starts starts" \
         "(control window: $control_missing)"
  )
done
