#!/usr/bin/env bash
# The desktop's media controls in the real program under Xvfb, on a private session bus:
#  1. latency from `playerctl play-pause` until a listener hears the new PlaybackStatus (the
#     signal goes out in the same turn of the event loop that changed the button's caption);
#  2. what the 100 ms position tick costs with a listener: signals sent and CPU time over a
#     stretch of steady playing, with `playerctl --follow` listening and without a bus at all;
#  3. OpenUri of a damaged .cue again and again (each call's action shows a box): how long each
#     call waits for its answer (busctl gives up after 100 ms), whether the program is alive at
#     the end and how many boxes are up. Given an earlier program, it is run the same way after.
#   bench/mpris.sh [build directory] [presses (default 40)] [seconds of playing (default 20)]
#                  [OpenUri calls (default 3000)] [path of an earlier reelbox]
set -euo pipefail
build=$(realpath "${1:-build}")
presses=${2:-40}
seconds=${3:-20}
calls=${4:-3000}
earlier=${5:+$(realpath "$5")}
source "$(dirname "${BASH_SOURCE[0]}")/../tests/support/xvfb.sh"
start_xvfb 1280x1024x24
start_session_bus
export REELBOX_AO=null
start_sound  # a mixer: no message box at start
app=$(copy_program "$build/reelbox")
ffmpeg -v error -f lavfi -i testsrc=size=352x240:rate=30000/1001 -t 60 -target ntsc-vcd "$work/a.mpg"
now_ms() { date +%s%3N; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

(cd "$work/app" && exec "$app" "$work/a.mpg") >"$work/log" 2>&1 &
app_pid=$!
wait_for "no player on the bus" eval '[[ $(playerctl -p reelbox status 2>/dev/null) == Paused ]]'

# 1. Each press, timed until the follower prints the status it brought; the bus's own clock
#    gives the program's part: from the call reaching the bus to the signal reaching it.
dbus-monitor --session "member='PlayPause'" "member='PropertiesChanged'" >"$work/calls" 2>/dev/null &
monitor_pid=$!
mkfifo "$work/follow"
playerctl -p reelbox --follow status >"$work/follow" 2>/dev/null &
follow_pid=$!
exec 4<"$work/follow"
read -r _ <&4  # the status at start
: >"$work/latency"
for _ in $(seq "$presses"); do
  t0=$(now_ms)
  playerctl -p reelbox play-pause
  read -r _ <&4
  echo $(($(now_ms) - t0)) >>"$work/latency"
done
kill "$monitor_pid"
percentiles() {
  sort -n | awk -v what="$1" '{v[NR] = $1} END {
    printf "%s: p50 %.1f ms, p90 %.1f ms, max %.1f ms (%d samples)\n",
           what, v[int(NR * 0.5 + 0.5)], v[int(NR * 0.9 + 0.5)], v[NR], NR }'
}
percentiles "playerctl play-pause -> status heard" <"$work/latency"
awk 'match($0, /time=[0-9.]+/) {t = substr($0, RSTART + 5, RLENGTH - 5)}
     /member=PlayPause/ {call = t}
     /member=PropertiesChanged/ && call {print (t - call) * 1000; call = 0}' \
  "$work/calls" | percentiles "call on the bus -> PropertiesChanged on the bus"

# 2. Steady playing: signals on the bus and CPU time, with the follower listening and without.
[[ $(playerctl -p reelbox status) == Playing ]] || playerctl -p reelbox play
steady() {
  dbus-monitor --session "type='signal',path='/org/mpris/MediaPlayer2'" >"$work/signals" 2>/dev/null &
  monitor_pid=$!
  sleep 1  # let the monitor attach before counting
  local before after
  before=$(cpu_ticks "$app_pid")
  sleep "$seconds"
  after=$(cpu_ticks "$app_pid")
  kill "$monitor_pid"
  echo "$1: $(grep -c '^signal' "$work/signals") signals in ${seconds} s of playing" \
       "($(grep -A3 '^signal' "$work/signals" | grep -o 'member=[A-Za-z]*\|string "[A-Za-z]*"' |
          sort | uniq -c | tr -s ' \n' ' ')), CPU" \
       "$(((after - before) * 10 / seconds)) ms per second"
}
steady "playerctl --follow listening"
kill "$follow_pid"
steady "no listener"
kill "$app_pid"
wait "$app_pid" || true

# 3. Calls whose action shows a box, with nothing open.
printf 'FILE "damaged.bin" BINARY\r\n  TRACK 01 MODE2/2352\r\n    INDEX 01 00:00:00\r\n' >"$work/damaged.cue"
head -c 400000 /dev/urandom >"$work/damaged.bin"
[[ -z $earlier ]] || cp "$earlier" "$work/app/reelbox-earlier"
for binary in "$app" ${earlier:+"$work/app/reelbox-earlier"}; do
  (cd "$work/app" && exec "$binary") >"$work/log" 2>&1 &
  app_pid=$!
  wait_for "no player on the bus" eval '[[ $(playerctl -p reelbox status 2>/dev/null) == Stopped ]]'
  : >"$work/latency"
  late=0
  for _ in $(seq "$calls"); do
    t0=$EPOCHREALTIME
    busctl --user --timeout=0.1 call org.mpris.MediaPlayer2.reelbox /org/mpris/MediaPlayer2 \
      org.mpris.MediaPlayer2.Player OpenUri s "file://$work/damaged.cue" >/dev/null 2>&1 || late=$((late + 1))
    echo "$EPOCHREALTIME $t0" | awk '{print ($1 - $2) * 1000}' >>"$work/latency"
    kill -0 "$app_pid" 2>/dev/null || break
  done
  if kill -0 "$app_pid" 2>/dev/null; then alive=alive; else alive=DEAD; fi
  boxes=$(xdotool search --onlyvisible --name "^NO Video-CD$" 2>/dev/null | wc -l)
  echo "$(basename "$binary"): $late of $(wc -l <"$work/latency") OpenUri calls unanswered within 100 ms;" \
       "program $alive, $boxes box(es) up"
  percentiles "$(basename "$binary"): OpenUri call -> answer (busctl, process start included)" <"$work/latency"
  kill -KILL "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
done
