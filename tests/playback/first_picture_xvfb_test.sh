#!/usr/bin/env bash
# The real program under Xvfb, started with two clips, shows the first picture of the first clip
# inside its movie window: the screenshot's picture area at (10, 10) of the movie window, 320 x 240
# pixels, matches ffmpeg's first frame of the clip scaled to that size, and not the other clip's.
#   first_picture_xvfb_test.sh <path of reelbox>
set -euo pipefail
program=$1
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"
# Mean absolute difference of two pictures, 0 (same) .. 1.
mae() { { compare -metric MAE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'; }

# Two Video-CD clips with clearly different pictures.
clip() { ffmpeg -v error -y -f lavfi -i "$1=size=352x240:rate=30000/1001" -f lavfi -i sine -t 2 \
                -target ntsc-vcd "$2"; }
clip testsrc "$work/a.mpg"
clip smptebars "$work/b.mpg"
for c in a b; do
  ffmpeg -v error -y -i "$work/$c.mpg" -frames:v 1 -vf scale=320:240 "$work/$c-first.png"
done
apart=$(mae "$work/a-first.png" "$work/b-first.png")

start_xvfb 1280x1024x24
start_sound  # a mixer: no message box at start
export REELBOX_AO=null

# The program reads its settings from its own folder: run a copy from an empty one.
app=$(copy_program "$program")
(cd "$work/app" && exec "$app" "$work/a.mpg" "$work/b.mpg") >"$work/log" 2>&1 &
app_pid=$!

wait_for "no movie window" visible Form2
movie=$(window_id Form2)

# The picture comes a moment after the window: look until it matches, for up to 10 s.
best=1
for _ in $(seq 40); do
  read -r mx my <<<"$(window_origin "$movie")"
  import -window root -crop "320x240+$((mx + 10))+$((my + 10))" +repage "$work/shot.png"
  diff=$(mae "$work/shot.png" "$work/a-first.png")
  best=$diff
  awk -v d="$diff" 'BEGIN {exit !(d < 0.05)}' && break
  sleep 0.25
done
other=$(mae "$work/shot.png" "$work/b-first.png")
echo "difference to a.mpg's first frame: $best; to b.mpg's: $other; between the two: $apart"
awk -v d="$best" 'BEGIN {exit !(d < 0.05)}' || fail "the movie window does not show a.mpg's first picture"
awk -v d="$other" -v a="$apart" 'BEGIN {exit !(d > a / 2)}' || fail "the picture looks like b.mpg"
kill -TERM "$app_pid"
wait "$app_pid" || true
app_pid=""
echo "ok"
