#!/usr/bin/env bash
# The cost of the hardening flags: two builds of the same tree, one configured with
# -DREELBOX_HARDENING=OFF, measured in turns in one run: start-up (bench/startup.sh), the position
# poll and the frame step (mci_bench), and the frame-step session (frame_step_bench).
#   bench/hardening.sh HARDENED-BUILD PLAIN-BUILD [rounds]
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
hardened=$(realpath "$1") plain=$(realpath "$2")
rounds=${3:-3}
for build in "$hardened" "$plain"; do
  echo "$build: $(readelf -d "$build/reelbox" | grep -c 'BIND_NOW\|FLAGS.*NOW') bind-now entries," \
       "$(nm -D "$build/reelbox" | grep -c '_chk@') fortified calls"
done
for round in $(seq "$rounds"); do
  for build in "$hardened" "$plain"; do
    name=$([[ $build == "$hardened" ]] && echo hardened || echo plain)
    echo "== round $round, $name"
    "$here/startup.sh" "$build/reelbox" 15 | head -1
    "$build/bench/mci_bench" --benchmark_filter='BM_MciStatusPosition$|BM_MciStep$' 2>/dev/null |
      sed -n 's/^\(BM_[^ ]*\).*p50_us=\([0-9.a-z]*\).*/  \1 p50_us=\2/p'
    "$build/bench/frame_step_bench" --benchmark_filter='BM_MciStepSession' 2>/dev/null |
      sed -n 's/^\(BM_[^ ]*\).*p50_us=\([0-9.a-z]*\).*/  \1 p50_us=\2/p'
  done
done
