#!/usr/bin/env bash
# Resident memory over many open/close cycles of a Video-CD clip (open, play, stop, close, as the
# playlist goes from entry to entry), through the player's own media channel (reelbox-mci) with a
# video window under Xvfb.
#   bench/memory_cycles.sh [path of reelbox-mci] [cycles]     (default: build/reelbox-mci 500)
# The video output is "null" unless REELBOX_VO says otherwise (REELBOX_VO=gpu,x11 is what the
# program uses on X11; under Xvfb that is Mesa's software GL, whose LLVM code alone is ~55 MB of
# resident, shared pages).
# Targets: <= 100 MB after 500 cycles, growth after cycle 100 <= 2 MB; exits 1 when missed.
set -euo pipefail
tool=$(realpath "${1:-build/reelbox-mci}")
cycles=${2:-500}
source "$(dirname "${BASH_SOURCE[0]}")/../tests/support/xvfb.sh"

ffmpeg -v error -y -f lavfi -i "testsrc=size=352x240:rate=30000/1001" -f lavfi -i sine -t 5 \
       -target ntsc-vcd "$work/vcd.mpg"
start_xvfb 1280x1024x24
export REELBOX_AO=${REELBOX_AO:-null} REELBOX_VO=${REELBOX_VO:-null}

coproc MCI { exec "$tool" --window 2>"$work/stderr"; }
app_pid=$MCI_PID
for _ in $(seq 100); do grep -q '^window ' "$work/stderr" 2>/dev/null && break; sleep 0.05; done
window=$(awk '/^window / {print $2; exit}' "$work/stderr")
[[ -n $window ]] || fail "reelbox-mci showed no window"

send() {
  printf '%s\n' "$1" >&"${MCI[1]}"
  local answer
  IFS= read -r -t 30 answer <&"${MCI[0]}" || fail "no answer to: $1"
  [[ ${answer%%$'\t'*} == 0 ]] || fail "$1 -> $answer"
}
rss_kb() { awk '/VmRSS/ {print $2}' "/proc/$app_pid/status"; }
anon_kb() { awk '/RssAnon/ {print $2}' "/proc/$app_pid/status"; }

open="open \"$work/vcd.mpg\" type mpegvideo alias avfile style child parent $window"
declare -A at
echo "video output: $REELBOX_VO"
printf '%8s %10s %10s\n' cycle "RSS (MB)" "anon (MB)"
started=$(date +%s%N)
for i in $(seq "$cycles"); do
  send "$open"
  send "play avfile window"
  send "stop avfile"
  send "close avfile"
  if ((i == 1 || i % 50 == 0 || i == cycles)); then
    at[$i]=$(rss_kb)
    awk -v i="$i" -v k="${at[$i]}" -v a="$(anon_kb)" 'BEGIN {printf "%8d %10.1f %10.1f\n", i, k / 1024, a / 1024}'
  fi
done
exec {MCI[1]}>&-
wait "$app_pid" || true
app_pid=""

echo "time per cycle: $((($(date +%s%N) - started) / cycles / 1000000)) ms"
last=${at[$cycles]}
missed=0
echo "after $cycles cycles: $((last / 1024)) MB (target <= 100 MB)"
((last <= 100 * 1024)) || missed=1
if ((cycles >= 100)); then
  echo "growth after cycle 100: $((last - at[100])) kB (target <= 2048 kB)"
  ((last - at[100] <= 2048)) || missed=1
fi
((missed == 0)) || fail "memory target missed"

