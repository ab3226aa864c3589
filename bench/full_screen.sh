#!/usr/bin/env bash
# Full screen while a Video-CD clip plays (bench/full_screen_bench.cpp), on a 1280x1024 Xvfb
# without and with a window manager (openbox).
#   bench/full_screen.sh [build directory]
set -euo pipefail
build=$(realpath "${1:-build}")
source "$(dirname "${BASH_SOURCE[0]}")/../tests/support/xvfb.sh"
start_xvfb 1280x1024x24
echo "== bare X server"
"$build/bench/full_screen_bench"
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true; cleanup' EXIT
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do sleep 0.1; done
echo "== under openbox"
"$build/bench/full_screen_bench"
