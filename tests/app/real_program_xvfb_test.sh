#!/usr/bin/env bash
# The real program under Xvfb: both windows come up where they belong, the screen saver is off
# while it runs, and each of SIGTERM, SIGINT and SIGHUP ends it with the screen saver back on.
#   real_program_xvfb_test.sh <path of reelbox>
set -euo pipefail
program=$1
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"

# -noreset: the server keeps its settings when the program (its last client) goes away.
start_xvfb 1280x1024x24 -noreset
start_sound  # a mixer: no message box at start

timeout_now() { xset q | awk '/timeout:/ {print $2; exit}'; }
# The program reads its settings from its own folder: run a copy from an empty one.
app=$(copy_program "$program")

xset s 321
for sig in TERM INT HUP; do
  (cd "$work/app" && exec "$app") >"$work/log" 2>&1 &
  app_pid=$!
  for _ in $(seq 100); do [[ $(timeout_now) == 0 ]] && break; sleep 0.1; done
  [[ $(timeout_now) == 0 ]] || fail "screen saver still on while running"

  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^ReelBox$' >/dev/null 2>&1 && break; sleep 0.1
  done
  control=$(xdotool search --onlyvisible --name '^ReelBox$' | head -1) || fail "no control window"
  movie=$(xdotool search --onlyvisible --name '^Form2$' | head -1) || fail "no movie window"
  geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                                        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'; }
  read -r cx cy cw ch <<<"$(geometry "$control")"
  read -r mx my mw mh <<<"$(geometry "$movie")"
  [[ "$mw x $mh" == "343 x 263" ]] || fail "movie window is $mw x $mh"
  [[ $my == "$cy" && $mx == $((cx + cw)) ]] || fail "movie window at $mx,$my; control window at $cx,$cy width $cw"

  kill -"$sig" "$app_pid"
  status=0
  wait "$app_pid" || status=$?
  app_pid=""
  [[ $status == 0 ]] || fail "SIG$sig: exit status $status"
  [[ $(timeout_now) == 321 ]] || fail "SIG$sig: screen-saver timeout $(timeout_now) after the end"
done
echo "ok"
