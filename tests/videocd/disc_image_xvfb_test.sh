#!/usr/bin/env bash
# The real program under Xvfb, started with a Video-CD image: the image's tracks are the playlist
# (AVSEQ01.DAT, AVSEQ02.DAT, as the program reports them) and the movie window shows the first
# track's first picture, read raw from the image: the picture area at (10, 10), 320 x 240, matches
# ffmpeg's first frame of the first clip scaled to that size, and not the second clip's.
#   disc_image_xvfb_test.sh <path of reelbox>
set -euo pipefail
program=$1
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"
mae() { { compare -metric MAE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'; }

clip() { ffmpeg -v error -y -f lavfi -i "$1=size=352x240:rate=30000/1001" -f lavfi -i sine -t 2 \
                -target ntsc-vcd "$2"; }
clip testsrc "$work/a.mpg"
clip smptebars "$work/b.mpg"
(cd "$work" && vcdimager -t vcd2 -l XVFBDISC -c disc.cue -b disc.bin a.mpg b.mpg >/dev/null)
for c in a b; do
  ffmpeg -v error -y -i "$work/$c.mpg" -frames:v 1 -vf scale=320:240 "$work/$c-first.png"
done
apart=$(mae "$work/a-first.png" "$work/b-first.png")

start_xvfb 1280x1024x24
start_sound  # a mixer: no message box at start
export REELBOX_AO=null QT_LOGGING_RULES="reelbox.videocd.debug=true"
app=$(copy_program "$program")
(cd "$work/app" && exec "$app" "$work/disc.cue") >"$work/log" 2>&1 &
app_pid=$!

movie=""
for _ in $(seq 100); do
  movie=$(xdotool search --onlyvisible --name '^Form2$' 2>/dev/null | head -1) && [[ -n $movie ]] && break
  sleep 0.1
done
[[ -n $movie ]] || fail "no movie window"
grep -q "tracks of $work/disc.cue/: AVSEQ01.DAT, AVSEQ02.DAT\$" "$work/log" ||
  fail "the tracks were not listed: $(cat "$work/log")"

best=1
for _ in $(seq 40); do
  read -r mx my <<<"$(window_origin "$movie")"
  import -window root -crop "320x240+$((mx + 10))+$((my + 10))" +repage "$work/shot.png"
  best=$(mae "$work/shot.png" "$work/a-first.png")
  awk -v d="$best" 'BEGIN {exit !(d < 0.05)}' && break
  sleep 0.25
done
other=$(mae "$work/shot.png" "$work/b-first.png")
echo "difference to track 1's first frame: $best; to track 2's: $other; between the two: $apart"
awk -v d="$best" 'BEGIN {exit !(d < 0.05)}' || fail "the movie window does not show track 1's first picture"
awk -v d="$other" -v a="$apart" 'BEGIN {exit !(d > a / 2)}' || fail "the picture looks like track 2"
kill -TERM "$app_pid"
wait "$app_pid" || true
app_pid=""
echo "ok"
