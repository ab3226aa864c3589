#!/usr/bin/env bash
# The real program under Xvfb given hostile files, each started twice: ended by SIGTERM while it
# holds the file open (in the middle of reading it; when the read is over before that is seen,
# once the windows are up), and once the windows are up (at most 20 s after launch). For each
# start: when the windows (or the named box) were mapped, the peak resident memory over the whole
# run (followed until the process is gone, so a read that goes on after the signal counts), and
# the time from SIGTERM to exit. Targets: peak RSS <= idle + 100 MB, exit <= 1 s after SIGTERM.
# The files:
#   - a 2 GiB sparse list file (NUL bytes);
#   - 2 GiB of empty lines as a list file;
#   - a 650 MB list of 10,000 entries of 65 KB each;
#   - 100 MB of empty lines as reelbox.ini (read at start-up);
#   - a .cue whose data file is a FIFO.
# Given a second program (an earlier build), every start is made with it too.
#   bench/hostile_input.sh [path of reelbox] [path of an earlier reelbox]
set -euo pipefail
program=$(realpath "${1:-build/reelbox}")
earlier=${2:+$(realpath "$2")}
source "$(dirname "${BASH_SOURCE[0]}")/../tests/support/xvfb.sh"

start_xvfb 1280x1024x24
start_sound
app=$(copy_program "$program")
[[ -z $earlier ]] || cp "$earlier" "$work/app/reelbox-earlier"

now_ms() { date +%s%3N; }
mapped() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

truncate -s 2G "$work/sparse.vep"
{ yes '' || true; } | head -c 2G >"$work/blank.vep"
python3 -c "
line = ('/tmp/' + 'A' * 65000 + '=n\n').encode()
with open('$work/entries.vep', 'wb') as f:
    for _ in range(10000): f.write(line)"
{ yes '' || true; } | head -c 100M >"$work/blank.ini"
printf 'FILE "fifo.bin" BINARY\r\n  TRACK 01 MODE2/2352\r\n    INDEX 01 00:00:00\r\n' >"$work/fifo.cue"
mkfifo "$work/fifo.bin"

# start PROGRAM NAME WINDOW WHEN FILE ARGS...: start with ARGS, SIGTERM when WHEN (reading: FILE
# is held open; up: the windows, or the window of that name, are mapped; 20 s at most), and
# follow the memory until the process is gone.
start() {
  local binary=$1 name=$2 window=$3 when=$4 file=$5
  shift 5
  local begin pid up=never at=20s peak=0 hwm term gone
  begin=$(now_ms)
  (cd "$work/app" && exec "$binary" "$@") >/dev/null 2>&1 &
  pid=$!
  while (($(now_ms) - begin < 20000)); do
    if [[ $up == never ]] && { if [[ -n $window ]]; then mapped "$window"
                               else mapped '^ReelBox$' && mapped ' - ReelBox$'; fi; }; then
      up=$(($(now_ms) - begin))
    fi
    if [[ $when == reading && -n $file ]] && ls -l "/proc/$pid/fd" 2>/dev/null | grep -qF "$file"; then
      at="reading, $(($(now_ms) - begin)) ms"
      break
    fi
    [[ $up == never ]] || { at="up, $up ms"; break; }
    sleep 0.02
  done
  kill -0 "$pid" 2>/dev/null || fail "$name: the program ended by itself"
  peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  term=$(now_ms)
  kill -TERM "$pid"
  while hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null) && [[ -n $hwm ]]; do
    peak=$hwm
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  wait "$pid" || true
  gone=$(($(now_ms) - term))
  printf '%-16s %-12s SIGTERM when %-20s peak RSS %5d MB, exit %6d ms after SIGTERM\n' \
    "$(basename "$binary")" "$name" "$at:" $((peak / 1024)) "$gone"
}

# probe NAME WINDOW FILE ARGS...: both starts, with each program.
probe() {
  local binary when
  for binary in "$app" ${earlier:+"$work/app/reelbox-earlier"}; do
    for when in reading up; do start "$binary" "$1" "$2" "$when" "$3" "${@:4}"; done
  done
}

probe idle "" ""
probe sparse_list "" "$work/sparse.vep" "$work/sparse.vep"
probe blank_list "" "$work/blank.vep" "$work/blank.vep"
# The first entry names no file: its box comes up once the list is in.
probe entries_list '^削除$' "$work/entries.vep" "$work/entries.vep"
cp "$work/blank.ini" "$work/app/reelbox.ini"
probe blank_ini "" "$work/app/reelbox.ini"
rm "$work/app/reelbox.ini"
# The image cannot be read: its message is up, the windows wait behind it.
probe fifo_image '^ﾄﾞﾗｲﾌﾞｴﾗｰ$' "" "$work/fifo.cue"
