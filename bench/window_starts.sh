#!/usr/bin/env bash
# Starts the program N times (default 50) under openbox on a 1280x1024 Xvfb and counts the starts
# after which the movie window never became viewable (waited for up to 10 s once the control
# window was up), and the starts whose two windows were both there.
#   bench/window_starts.sh [build directory] [N]
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-50}
source "$(dirname "${BASH_SOURCE[0]}")/../tests/support/xvfb.sh"
start_xvfb 1280x1024x24
start_sound
start_wm
app=$(copy_program "$build/reelbox")
ended() { ! kill -0 "$app_pid" 2>/dev/null; }
lost=0
for i in $(seq "$runs"); do
  (cd "$work/app" && exec "$app") >"$work/log" 2>&1 &
  app_pid=$!
  wait_for "start $i: no control window" visible ReelBox
  if ! wait_until visible "$movie_window"; then
    lost=$((lost + 1))
    echo "start $i: no viewable movie window" >&2
  fi
  kill -TERM "$app_pid"
  wait_until ended || fail "start $i: still running"
  app_pid=""
done
echo "starts without a viewable movie window: $lost of $runs (openbox)"
