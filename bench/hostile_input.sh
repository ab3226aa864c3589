#!/usr/bin/env bash
# The real program under Xvfb given hostile files on its command line:
#   - a 2 GiB sparse list file: peak resident memory over an idle start (target <= 50 MB), the
#     time from launch until both windows are mapped (the list is read before the event loop
#     runs, so this bounds the longest event gap; target <= 100 ms over an idle start), and the
#     time from SIGTERM to exit (target <= 1 s);
#   - a .cue whose data file is a FIFO: the same start-up and SIGTERM times.
#   bench/hostile_input.sh [path of reelbox]
set -euo pipefail
program=$(realpath "${1:-build/reelbox}")
source "$(dirname "${BASH_SOURCE[0]}")/../tests/support/xvfb.sh"

start_xvfb 1280x1024x24
start_sound
app=$(copy_program "$program")

now_ms() { date +%s%3N; }
mapped() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

truncate -s 2G "$work/big.vep"
printf 'FILE "fifo.bin" BINARY\r\n  TRACK 01 MODE2/2352\r\n    INDEX 01 00:00:00\r\n' >"$work/fifo.cue"
mkfifo "$work/fifo.bin"

# run NAME WINDOW ARGS...: start, wait for both windows (or the window of that name), note the
# peak memory, SIGTERM, wait for exit.
run() {
  local name=$1 window=$2
  shift 2
  local start pid up peak term gone
  start=$(now_ms)
  (cd "$work/app" && exec "$app" "$@") >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 400); do
    if [[ -n $window ]]; then mapped "$window" && break
    else mapped '^ReelBox$' && mapped ' - ReelBox$' && break; fi
    sleep 0.005
  done
  up=$(($(now_ms) - start))
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "$name: the program ended by itself"
  peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  term=$(now_ms)
  kill -TERM "$pid"
  wait "$pid" || true
  gone=$(($(now_ms) - term))
  echo "$name: windows mapped after ${up} ms, peak RSS $((peak / 1024)) MB, exit ${gone} ms after SIGTERM"
  eval "${name}_up=$up ${name}_peak=$peak"
}

run idle ""
run huge_list "" "$work/big.vep"
# The image cannot be read: its message is up, the windows wait behind it.
run fifo_image '^ﾄﾞﾗｲﾌﾞｴﾗｰ$' "$work/fifo.cue"
echo "huge list over idle: peak RSS +$(((huge_list_peak - idle_peak) / 1024)) MB (target <= 50 MB), start-up +$((huge_list_up - idle_up)) ms (target <= 100 ms)"
