#!/usr/bin/env bash
# CPU seconds to play a 20 s 720p clip: reelbox against the mpv command line with the same video
# output (gpu over EGL, x11 as fallback), both under the same Xvfb, one after the other.
#   bench/play_cpu.sh [path of reelbox]      (default: build/reelbox)
# Needs: Xvfb, xdotool, x11-utils, ffmpeg, mpv (scripts/install-deps.sh --test installs them).
set -euo pipefail
program=$(realpath "${1:-build/reelbox}")
seconds=20
source "$(dirname "${BASH_SOURCE[0]}")/../tests/support/xvfb.sh"

echo "making a ${seconds} s 1280x720 MPEG-2 clip..."
ffmpeg -v error -y -f lavfi -i "testsrc=size=1280x720:rate=30000/1001" -f lavfi -i sine \
       -t "$seconds" -c:v mpeg2video -q:v 4 -c:a mp2 -f mpeg "$work/clip.mpg"

start_xvfb 1920x1080x24
start_sound  # a mixer: no message box at start
export REELBOX_AO=null

ticks=$(getconf CLK_TCK)
cpu_of() { awk -v t="$ticks" '{print ($14 + $15) / t}' "/proc/$1/stat"; }

# --- reelbox: started with the clip (first picture, stopped), then play from its menu ---------
app=$(copy_program "$program")
(cd "$work/app" && exec "$app" "$work/clip.mpg") >"$work/log" 2>&1 &
app_pid=$!
sleep 2  # the windows settle and the first picture stands
movie=$(xdotool search --onlyvisible --name ' - ReelBox$' 2>/dev/null | head -1) || fail "no movie window"
read -r mx my <<<"$(window_origin "$movie")"
# The movie window's popup menu: the third item is play/pause.
xdotool mousemove $((mx + 100)) $((my + 100)) click 3
sleep 0.5
xdotool key Down Down Down Return
start=$(cpu_of "$app_pid")
worker=$(grep -lx decode-ahead /proc/"$app_pid"/task/*/comm | head -1 | xargs -r dirname)
worker_start=$([[ -n $worker ]] && cpu_of "${worker#/proc/}" || echo 0)
sleep $((seconds - 1))
# Read before the end: once the movie stops there, decoding ahead starts, as at any stop.
worker_end=$([[ -n $worker ]] && cpu_of "${worker#/proc/}" || echo 0)
sleep 1
end=$(cpu_of "$app_pid")
kill -TERM "$app_pid"; wait "$app_pid" || true; app_pid=""
reelbox_cpu=$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.2f", b - a}')
awk -v c="$reelbox_cpu" 'BEGIN {exit !(c > 0.5)}' || fail "reelbox did not play (only $reelbox_cpu CPU seconds)"

# --- mpv command line, same outputs and the options the program's engine uses ---------------
mpv_cpu=$(python3 - "$work/clip.mpg" <<'PY'
import resource, subprocess, sys
subprocess.run(["mpv", "--no-config", "--vo=gpu,x11", "--gpu-context=x11egl", "--ao=null",
                "--hwdec=no", "--keepaspect=no", "--geometry=320x240+10+10", "--osc=no",
                "--hr-seek=yes", "--really-quiet", sys.argv[1]], check=True)
r = resource.getrusage(resource.RUSAGE_CHILDREN)
print(f"{r.ru_utime + r.ru_stime:.2f}")
PY
)
echo "CPU seconds over ${seconds} s of 720p playback: reelbox $reelbox_cpu, mpv $mpv_cpu"
awk -v a="$worker_start" -v b="$worker_end" -v s="$seconds" \
    'BEGIN {printf "of which the thread decoding ahead for steps back, its first %d s: %.2f\n", s - 1, b - a}'
awk -v a="$reelbox_cpu" -v b="$mpv_cpu" 'BEGIN {printf "ratio reelbox/mpv: %.3f (target <= 1.05)\n", a / b}'
