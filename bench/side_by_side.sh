#!/usr/bin/env bash
# ReelBox against the mpv command line on the same generated files, in one run: start to first
# picture (read off the screen) and the CPU time spent until then, RSS and PSS paused and after
# playing, CPU seconds of the play span, dropped frames, and CPU milliseconds per frame shown (the
# fairer figure on a busy machine, where a player that drops frames also spends less). Both play
# with the same video output (gpu, EGL, software decoding) in a picture area of the same size, under Xvfb
# 1920x1080 with a PulseAudio null sink and a session bus. The players take turns (which goes first alternates from run to
# run); the table shows medians. ReelBox plays through its media controls (MPRIS), mpv through
# its IPC socket.
#   bench/side_by_side.sh [build directory] [runs]          (default: build 3)
# PLAY_SECONDS (default 20) is the play span; the clips are made once and kept in
# BENCH_CLIPS (default: the build directory's bench/clips). A whole run takes about 12 minutes
# with the defaults, on top of making the clips once (PLAY_SECONDS=5 for a quick look). A file
# ReelBox does not open shows "-".
# Needs: Xvfb, ffmpeg, mpv, pulseaudio, dbus (scripts/install-deps.sh --test), and the bench's
# first_picture (cmake -DREELBOX_BENCH=ON). Where the time and memory go:
#   QT_LOGGING_RULES='reelbox.startup.info=true' build/reelbox FILE    start-up timeline
#   heaptrack build/reelbox FILE      heap profile (Debian's heaptrack: apt-get install heaptrack)
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-3}
seconds=${PLAY_SECONDS:-20}
clips=${BENCH_CLIPS:-$build/bench/clips}
poller=$build/bench/first_picture
[[ -x $poller ]] || { echo "build $poller first (cmake -DREELBOX_BENCH=ON)" >&2; exit 1; }
source "$(dirname "${BASH_SOURCE[0]}")/../tests/support/xvfb.sh"

# --- the files: name, extension, size, ffmpeg's encoding options --------------------------------
files=(
  "vcd mpg 352x240 -target ntsc-vcd"
  "mpeg2-720p mpg 1280x720 -c:v mpeg2video -q:v 4 -g 15 -c:a mp2 -f mpeg"
  "mpeg2-1080p mpg 1920x1080 -c:v mpeg2video -q:v 4 -g 15 -c:a mp2 -f mpeg"
  "mpeg4-1080p-gop300 avi 1920x1080 -c:v mpeg4 -q:v 4 -g 300 -c:a mp3 -f avi"
  "h264-1080p mp4 1920x1080 -c:v libx264 -preset veryfast -crf 23 -c:a aac -f mp4"
)
mkdir -p "$clips"
length=$((seconds + 10))
for f in "${files[@]}"; do
  read -r name ext size options <<<"$f"
  clip=$clips/$name-$length.$ext
  [[ -s $clip ]] && continue
  echo "making $clip..." >&2
  # shellcheck disable=SC2086
  ffmpeg -v error -y -f lavfi -i "testsrc=size=$size:rate=30000/1001" -f lavfi -i sine \
         -t "$length" $options "$clip.part" && mv "$clip.part" "$clip"
done

start_xvfb 1920x1080x24
start_session_bus
start_sound
app=$(copy_program "$build/reelbox")
export QT_LOGGING_RULES='reelbox.mpv.info=true'

ticks=$(getconf CLK_TCK)
cpu_s() { awk -v t="$ticks" '{printf "%.2f", ($14 + $15) / t}' "/proc/$1/stat"; }
mem_mb() { awk -v k="$2:" '$1 == k {printf "%.0f", $2 / 1024}' "/proc/$1/smaps_rollup"; }
gone() { ! kill -0 "$1" 2>/dev/null; }
stop() {
  kill -TERM "$1" 2>/dev/null || true
  wait_until gone "$1" || kill -KILL "$1" 2>/dev/null || true
}
mpv_ipc() {  # COMMAND-JSON: mpv's answer's data
  python3 - "$work/mpv.sock" "$1" <<'PY'
import json, socket, sys
s = socket.socket(socket.AF_UNIX)
s.connect(sys.argv[1])
s.sendall(sys.argv[2].encode() + b"\n")
buf = b""
while True:
    buf += s.recv(4096)
    for line in buf.split(b"\n"):
        if line.strip() and b'"error"' in line:
            print(json.loads(line).get("data", ""))
            sys.exit(0)
PY
}

# One session: start, first picture, 2 s paused, PLAY_SECONDS playing. Prints
# "first_ms rss_paused pss_paused rss_playing pss_playing cpu_s dropped" (dropped: "-" if unknown).
session() {
  local player=$1 clip=$2 w=$3 h=$4 out pid first start end drops=-
  if [[ $player == reelbox ]]; then
    out=$(cd "$work/app" && "$poller" "${clip##*/} - ReelBox" "$app" "$clip" 2>"$work/app.err") || { echo "- - - - - - - - -"; return; }
  else
    rm -f "$work/mpv.sock"
    out=$("$poller" mpv-bench mpv --no-config --title=mpv-bench --vo=gpu --gpu-context=x11egl \
          --hwdec=no --pause --keep-open=yes --osc=no --really-quiet --geometry="${w}x${h}+10+10" \
          --input-ipc-server="$work/mpv.sock" "$clip" 2>>"$work/log") || { echo "- - - - - - - - -"; return; }
  fi
  read -r first pid first_cpu <<<"$out"
  sleep 2
  local rss0 pss0
  rss0=$(mem_mb "$pid" Rss) pss0=$(mem_mb "$pid" Pss)
  if [[ $player == reelbox ]]; then
    dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.reelbox \
      /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Player.Play
  else
    mpv_ipc '{"command": ["set_property", "pause", false]}' >/dev/null
  fi
  start=$(cpu_s "$pid")
  sleep "$seconds"
  end=$(cpu_s "$pid")
  local rss1 pss1
  rss1=$(mem_mb "$pid" Rss) pss1=$(mem_mb "$pid" Pss)
  if [[ $player == mpv ]]; then
    drops=$(($(mpv_ipc '{"command": ["get_property", "decoder-frame-drop-count"]}') +
             $(mpv_ipc '{"command": ["get_property", "frame-drop-count"]}')))
    stop "$pid"
  else
    stop "$pid"  # ReelBox says what the file dropped as it closes it (category reelbox.mpv)
    drops=$(awk '/dropped frames:/ {gsub(",", ""); print $(NF - 2) + $NF; exit}' "$work/app.err")
    drops=${drops:--}
  fi
  # CPU per frame shown: on a busy machine a player that drops frames also spends less.
  awk -v f="$first" -v fc="$first_cpu" -v r0="$rss0" -v p0="$pss0" -v r1="$rss1" -v p1="$pss1" -v a="$start" -v b="$end" \
      -v d="$drops" -v s="$seconds" 'BEGIN {
        shown = s * 30000 / 1001 - (d == "-" ? 0 : d)
        printf "%s %s %s %s %s %s %.2f %s %.1f\n", f, fc, r0, p0, r1, p1, b - a, d, (b - a) * 1000 / (shown > 1 ? shown : 1)
      }'
}

median() { sort -n | awk '{v[NR] = $1} END {if (NR == 0 || v[1] == "-") print "-"; else print v[int((NR + 1) / 2)]}'; }

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-20s %-8s %9s %9s %8s %8s %8s %8s %7s %7s %8s\n' file player "first ms" "first CPU" "RSS p" "PSS p" \
       "RSS pl" "PSS pl" "CPU s" dropped "CPU ms/f"
for f in "${files[@]}"; do
  read -r name ext _ <<<"$f"
  clip=$clips/$name-$length.$ext
  # mpv's window gets the picture area ReelBox's movie window has on a first start (320 x 240,
  # whatever the file's size): software GL's cost grows with the pixels drawn.
  w=320 h=240
  cat "$clip" >/dev/null  # both read it from the page cache
  declare -A rows=()
  for run in $(seq "$runs"); do
    order=(reelbox mpv)
    ((run % 2 == 0)) && order=(mpv reelbox)
    for player in "${order[@]}"; do
      rows[$player]+="$(session "$player" "$clip" "$w" "$h" 2>>"$work/log")"$'\n'
    done
  done
  for player in reelbox mpv; do
    cols=()
    for c in 1 2 3 4 5 6 7 8 9; do
      cols+=("$(printf '%s' "${rows[$player]}" | awk -v c="$c" 'NF {print $c}' | median)")
    done
    printf '%-20s %-8s %9s %9s %8s %8s %8s %8s %7s %7s %8s\n' "$name" "$player" "${cols[@]}"
  done
  unset rows
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
