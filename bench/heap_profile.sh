#!/usr/bin/env bash
# Where ReelBox's heap goes: heaptrack over the real program under Xvfb (with a session bus and a
# PulseAudio null sink), once left paused on its first picture and once playing.
#   bench/heap_profile.sh [build directory] [clip]     (default: build, the side-by-side bench's
#                                                       MPEG-2 720p clip)
# PLAY_SECONDS (default 20) is the play span. For each session it prints heaptrack's peak heap,
# the peak RSS and the eight call sites holding the most at the peak; the full profiles stay in
# the work folder it names, for heaptrack_gui or heaptrack_print.
# Needs heaptrack (Debian's heaptrack package) and the bench's first_picture (-DREELBOX_BENCH=ON).
set -euo pipefail
build=$(realpath "${1:-build}")
clip=$(realpath "${2:-$build/bench/clips/mpeg2-720p-30.mpg}")
seconds=${PLAY_SECONDS:-20}
poller=$build/bench/first_picture
[[ -x $poller ]] || { echo "build $poller first (cmake -DREELBOX_BENCH=ON)" >&2; exit 1; }
[[ -s $clip ]] || { echo "no clip $clip (bench/side_by_side.sh makes it)" >&2; exit 1; }
command -v heaptrack >/dev/null || { echo "needs heaptrack (apt-get install heaptrack)" >&2; exit 1; }
source "$(dirname "${BASH_SOURCE[0]}")/../tests/support/xvfb.sh"

start_xvfb 1920x1080x24
start_session_bus
start_sound
app=$(copy_program "$build/reelbox")
profiles=$(mktemp -d /tmp/reelbox-heap.XXXXXX)

gone() { ! kill -0 "$1" 2>/dev/null; }
# One session: heaptrack starts the program; "paused" ends it 2 s after the first picture,
# "playing" plays PLAY_SECONDS first (through the media controls, as a desktop would).
profile() {
  local how=$1 out pid
  out=$(cd "$work/app" && "$poller" "${clip##*/} - ReelBox" heaptrack -o "$profiles/$how" "$app" "$clip" \
        2>>"$work/log") || { echo "$how: no first picture (see $work/log)"; return; }
  read -r _ pid _ <<<"$out"
  sleep 2
  if [[ $how == playing ]]; then
    dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.reelbox \
      /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Player.Play
    sleep "$seconds"
  fi
  # heaptrack runs the program as its child: end the program, heaptrack writes its file after.
  pkill -TERM -P "$pid" -x reelbox 2>/dev/null || pkill -TERM -x reelbox || true
  wait_until gone "$pid" || kill -KILL "$pid" 2>/dev/null || true
  local file
  file=$(ls "$profiles/$how".* 2>/dev/null | head -1)
  [[ -n $file ]] || { echo "$how: heaptrack wrote nothing"; return; }
  echo "== $how ($file)"
  heaptrack_print -f "$file" -p 1 -a 0 -T 0 -l 0 -n 8 -s 1 >"$file.txt" 2>/dev/null || true
  grep -E "^(peak heap memory consumption|peak RSS)" "$file.txt" || true
  # Each peak site: the bytes it held at the peak, and the first library its call stack names.
  awk '/peak memory consumed over/ {bytes = $1; want = 1; next}
       want && /^ +in \// {print "  " bytes "  " $2; want = 0}' "$file.txt"
}
profile paused
profile playing
echo "profiles: $profiles"
