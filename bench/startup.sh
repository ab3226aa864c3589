#!/usr/bin/env bash
# Start-up time and idle memory of the real program under Xvfb.
#   bench/startup.sh [path of reelbox] [runs] [first-picture runs]
# Start-up: from the launch until both windows (the control window "ReelBox" and the movie
# window "<entry> - ReelBox") are mapped, polled with xdotool; reported as p50 and max over the runs.
# Idle memory: VmRSS of the program 2 s after start-up, no movie open.
# First picture: from the launch with one movie on the command line (MPEG-1, and H.264 in MP4,
# VP9 in WebM, H.264 in Matroska with two sound tracks and subtitles, 720p) until mpv says the
# first picture is shown ("first video frame after restart shown", polled in the log), beside
# the mpv command line on the same file with the program's video options, paused, in turns.
# Targets: start-up <= 400 ms, idle RSS <= 100 MB.
set -euo pipefail
program=$(realpath "${1:-build/reelbox}")
runs=${2:-15}
source "$(dirname "${BASH_SOURCE[0]}")/../tests/support/xvfb.sh"

start_xvfb 1280x1024x24
start_sound  # a mixer: no message box at start
app=$(copy_program "$program")

now_ms() { date +%s%3N; }
mapped() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

times=()
rss=""
for i in $(seq "$runs"); do
  start=$(now_ms)
  (cd "$work/app" && exec "$app") >/dev/null 2>&1 &
  pid=$!
  until mapped '^ReelBox$' && mapped ' - ReelBox$'; do sleep 0.005; done
  times+=($(($(now_ms) - start)))
  if [[ $i == "$runs" ]]; then
    sleep 2
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  fi
  kill -TERM "$pid"
  wait "$pid" || true
done

sorted=($(printf '%s\n' "${times[@]}" | sort -n))
p50=${sorted[$(((${#sorted[@]} - 1) / 2))]}
max=${sorted[-1]}
echo "start-up to both windows mapped: p50 ${p50} ms, max ${max} ms over ${runs} runs (target <= 400 ms)"
echo "idle RSS: $((rss / 1024)) MB (${rss} kB; target <= 100 MB)"

# --- first picture -----------------------------------------------------------------------------
hd=size=1280x720:rate=30000/1001
ffmpeg -v error -y -f lavfi -i "testsrc=size=352x240:rate=30000/1001" -f lavfi -i sine -t 5 \
       -target ntsc-vcd "$work/clip.mpg"
ffmpeg -v error -y -f lavfi -i "testsrc=$hd" -f lavfi -i sine -t 5 -c:v libx264 -preset veryfast \
       -c:a aac "$work/clip.mp4"
ffmpeg -v error -y -f lavfi -i "testsrc=$hd" -f lavfi -i sine -t 5 -c:v libvpx-vp9 \
       -deadline realtime -cpu-used 8 -c:a libopus "$work/clip.webm"
printf '1\n00:00:00,000 --> 00:00:02,000\nOne\n' >"$work/clip.srt"
ffmpeg -v error -y -f lavfi -i "testsrc=$hd" -f lavfi -i sine -i "$work/clip.srt" -t 5 \
       -map 0 -map 1 -map 1 -map 2 -c:v libx264 -preset veryfast -c:a aac -c:s srt "$work/clip.mkv"

# COMMAND...: ms from its launch until its log says the first picture is shown.
first_picture_ms() {
  local start log=$work/first.log
  : >"$log"  # emptied before the launch: the child would empty it only after the first look
  start=$(now_ms)
  "$@" >"$log" 2>&1 &
  local pid=$!
  until grep -q "first video frame after restart shown" "$log"; do
    kill -0 "$pid" 2>/dev/null || fail "$* ended without a picture: $(tail -3 "$log")"
    sleep 0.005
  done
  echo $(($(now_ms) - start))
  kill -TERM "$pid"
  wait "$pid" || true
}
reelbox_open() { cd "$work/app" && QT_LOGGING_RULES="reelbox.mpv.debug=true" REELBOX_AO=null exec "$app" "$1"; }
mpv_open() {
  exec mpv --no-config --vo=gpu,x11 --gpu-context=x11egl --ao=null --hwdec=no --keepaspect=no \
           --geometry=320x240+10+10 --osc=no --hr-seek=yes --pause --msg-level=all=no,cplayer=v "$1"
}
p50() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
picture_runs=${3:-7}
for ext in mpg mp4 webm mkv; do
  ours=() theirs=()
  for _ in $(seq "$picture_runs"); do
    ours+=($(first_picture_ms reelbox_open "$work/clip.$ext"))
    theirs+=($(first_picture_ms mpv_open "$work/clip.$ext"))
  done
  echo "first picture of clip.$ext: reelbox p50 $(p50 "${ours[@]}") ms, mpv p50 $(p50 "${theirs[@]}") ms" \
       "over $picture_runs runs each (reelbox ${ours[*]}; mpv ${theirs[*]})"
done
