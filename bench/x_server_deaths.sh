#!/usr/bin/env bash
# Kills the X server under the program N times (default 20) on each desktop named (default: bare
# Xvfb and Weston's XWayland), once the program is up, showing a clip (libmpv's output holding its
# own X connection), with PulseAudio's null sink found at 40000 20000 and moved by the slider (by
# the start's own write on Weston, which takes no input); counts the runs after which the sink
# was put back exactly.
#   bench/x_server_deaths.sh [build directory] [N] [DESKTOP...]
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-20}
desktops=("${@:3}")
((${#desktops[@]})) || desktops=(bare weston)
source "$(dirname "${BASH_SOURCE[0]}")/../tests/support/xvfb.sh"
start_sound
make_clip red color=c=red 60
both_viewable() { visible ReelBox && visible "$movie_window"; }
app=$(copy_program "$build/reelbox")
for desktop in "${desktops[@]}"; do
  restored=0
  for i in $(seq "$runs"); do
    start_desktop "$desktop"
    pactl set-sink-volume @DEFAULT_SINK@ 40000 20000
    run_app "$work/red.mpg"
    wait_tenths=300 wait_for "run $i: the windows did not come up" both_viewable
    if [[ $desktop == weston ]]; then  # no input there: the start's own write moved it
      wait_for "run $i: the volume was not taken: $(sink_volume)" sink_is "39999 20000"
    else
      click_slider
      wait_for "run $i: the slider did not move the volume: $(sink_volume)" sink_is "26892 13446"
    fi
    server=$xvfb_pid
    [[ $desktop != weston ]] || server=$weston_pid
    kill "$server"
    wait_for "run $i: the program outlived its X server" ended
    app_pid=""
    wait "$server" 2>/dev/null || true
    if sink_is "40000 20000"; then restored=$((restored + 1)); else echo "run $i: $(sink_volume)" >&2; fi
    xvfb_pid="" weston_pid=""
  done
  echo "X server killed under the program: volume put back in $restored of $runs runs ($desktop)"
done
