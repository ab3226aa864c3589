#!/usr/bin/env bash
# The real program under Xvfb: both windows come up where they belong and the screen saver is off
# while it runs; SIGTERM, SIGINT and SIGHUP end it at once in every state (before its event loop
# runs, with a message box or the popup menu open, after odd files at start) with the screen
# saver back on.
#   real_program_xvfb_test.sh <path of reelbox>
set -euo pipefail
program=$1
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"

start_xvfb 1280x1024x24  # keeps its settings when the program (its last client) goes away
export REELBOX_AO=null
start_sound  # a mixer: no message box at start

saver_timeout() { xset q | awk '/timeout:/ {print $2; exit}'; }
saver_is() { [[ $(saver_timeout) == "$1" ]]; }
ended() { ! kill -0 "$app_pid" 2>/dev/null; }
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                                      /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'; }

# Started: the screen saver is off and the movie window stands beside the control window at
# its default size.
started() {
  wait_for "screen saver still on while running" saver_is 0
  wait_for "no control window" visible ReelBox
  wait_for "no movie window" visible Form2
  read -r cx cy cw _ <<<"$(geometry "$(window_id ReelBox)")"
  read -r mx my mw mh <<<"$(geometry "$(window_id Form2)")"
  [[ "$mw x $mh" == "343 x 263" ]] || fail "movie window is $mw x $mh"
  [[ $my == "$cy" && $mx == $((cx + cw)) ]] || fail "movie window at $mx,$my; control window at $cx,$cy width $cw"
}

# The program reads its settings from its own folder: run a copy from an empty one.
app=$(copy_program "$program")
ffmpeg -v error -f lavfi -i testsrc=size=352x240:rate=30000/1001 -t 1 -target ntsc-vcd "$work/clip.mpg"
printf 'no equals sign\r\n%.0s' 1 2 3 >"$work/bad.vep"
mkfifo "$work/fifo.vep"

# Each state: the arguments and the settings file the program starts with, and how the test
# knows it is there (started, unless said otherwise).
declare -A args=([list_loading]="$work/bad.vep" [fifo]="$work/fifo.vep" [huge_window]="$work/clip.mpg")
# 32767 x 32767 pixels, which no screen and no GL driver takes; a movie opens in it.
declare -A ini=([huge_window]=$'\r\n 0\r\n 0\r\n 0\r\n 491505\r\n 491505\r\n')
declare -A reach=([popup]=popup_open [list_loading]=box_shown)
popup_open() {
  started
  xdotool mousemove --window "$(window_id Form2)" 100 100 click 3
  wait_for "no popup menu" menu_shown
}
# The first entry's message box is up while start-up waits on it, the other entries still to come.
box_shown() { wait_for "no message box" eval '[[ -n $(xdotool search --onlyvisible --name "^削除") ]]'; }

xset s 321
for row in "running TERM" "running INT" "running HUP" "list_loading TERM" "list_loading INT" \
           "list_loading HUP" "popup TERM" "fifo TERM" "huge_window TERM"; do
  read -r state sig <<<"$row"
  printf '%s' "${ini[$state]:-}" >"$work/app/reelbox.ini"
  # shellcheck disable=SC2086  # no blanks in the work folder's paths
  (cd "$work/app" && exec "$app" ${args[$state]:-}) >"$work/log" 2>&1 &
  app_pid=$!
  "${reach[$state]:-started}"

  kill -"$sig" "$app_pid"
  wait_for "$state: still running after SIG$sig" ended
  status=0
  wait "$app_pid" || status=$?
  app_pid=""
  [[ $status == 0 ]] || { cat "$work/log"; fail "$state: SIG$sig: exit status $status"; }
  saver_is 321 || fail "$state: SIG$sig: screen-saver timeout $(saver_timeout) after the end"
done
echo "ok"
