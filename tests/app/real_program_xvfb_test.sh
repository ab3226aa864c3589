#!/usr/bin/env bash
# The real program under Xvfb: both windows come up where they belong, the screen saver is off
# while it runs, and each of SIGTERM, SIGINT and SIGHUP ends it with the screen saver back on.
#   real_program_xvfb_test.sh <path of reelbox>
set -euo pipefail
program=$1
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [[ -n $app_pid ]] && kill -KILL "$app_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# -noreset: the server keeps its settings when the program (its last client) goes away.
exec 3>"$work/display"
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$work/display")"
unset QT_QPA_PLATFORM

timeout_now() { xset q | awk '/timeout:/ {print $2; exit}'; }
# The program reads its settings from its own folder: run a copy from an empty one.
cp "$program" "$work/reelbox"

xset s 321
for sig in TERM INT HUP; do
  (cd "$work" && exec ./reelbox) >"$work/log" 2>&1 &
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
