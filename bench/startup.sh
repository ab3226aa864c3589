#!/usr/bin/env bash
# Start-up time and idle memory of the real program under Xvfb.
#   bench/startup.sh [path of reelbox] [runs]
# Start-up: from the launch until both windows (the control window "ReelBox" and the movie
# window "Form2") are mapped, polled with xdotool; reported as p50 and max over the runs.
# Idle memory: VmRSS of the program 2 s after start-up, no movie open.
# Targets: start-up <= 400 ms, idle RSS <= 100 MB.
set -euo pipefail
program=$(realpath "${1:-build/reelbox}")
runs=${2:-15}
work=$(mktemp -d)
xvfb_pid=""
trap '[[ -n $xvfb_pid ]] && kill $xvfb_pid 2>/dev/null; rm -rf "$work"' EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"
unset QT_QPA_PLATFORM
cp "$program" "$work/reelbox"

now_ms() { date +%s%3N; }
mapped() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

times=()
rss=""
for i in $(seq "$runs"); do
  start=$(now_ms)
  (cd "$work" && exec ./reelbox) >/dev/null 2>&1 &
  pid=$!
  until mapped '^ReelBox$' && mapped '^Form2$'; do sleep 0.005; done
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
