#!/usr/bin/env bash
# Start-up time and idle memory of the real program under Xvfb.
#   bench/startup.sh [path of reelbox] [runs]
# Start-up: from the launch until both windows (the control window "ReelBox" and the movie
# window "<entry> - ReelBox") are mapped, polled with xdotool; reported as p50 and max over the runs.
# Idle memory: VmRSS of the program 2 s after start-up, no movie open.
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
