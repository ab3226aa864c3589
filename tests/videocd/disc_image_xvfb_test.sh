#!/usr/bin/env bash
# The real program under Xvfb, started with a Video-CD image: the image's tracks are the playlist
# (AVSEQ01.DAT, AVSEQ02.DAT, as the program reports them) and the movie window shows the first
# track's first picture, read raw from the image. Then another program drops three files onto the
# movie window by a real X11 drag (XDND, tests/support/drag_files.cpp pressed and dragged by
# xdotool): the two movies are added, the text file is skipped, and the first dropped movie's
# first picture shows. A picture is compared in the movie window's picture area at (10, 10),
# 320 x 240, with ffmpeg's first frame of the clip scaled to that size.
#   disc_image_xvfb_test.sh <path of reelbox> <path of drag_files>
set -euo pipefail
program=$1
drag_files=$2
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"
mae() { { compare -metric MAE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'; }
clip() {
  ffmpeg -v error -y -f lavfi -i "$1=size=352x240:rate=30000/1001" -f lavfi -i sine -t 2 -target ntsc-vcd "$work/$2.mpg"
  ffmpeg -v error -y -i "$work/$2.mpg" -frames:v 1 -vf scale=320:240 "$work/$2-first.png"
}
clip testsrc a
clip smptebars b
clip testsrc2 dropped
clip rgbtestsrc other
echo "not a movie" >"$work/notes.txt"
(cd "$work" && vcdimager -t vcd2 -l XVFBDISC -c disc.cue -b disc.bin a.mpg b.mpg >/dev/null)
# How far the movie window's picture is from clip $1's first frame.
shot_mae() {
  read -r mx my <<<"$(window_origin "$movie")"
  import -window root -crop "320x240+$((mx + 10))+$((my + 10))" +repage "$work/shot.png"
  mae "$work/shot.png" "$work/$1-first.png"
}
shows() { awk -v d="$(shot_mae "$1")" 'BEGIN {exit !(d < 0.05)}'; }
shows_slowly() { for _ in $(seq 40); do shows "$1" && return 0; sleep 0.25; done; return 1; }

start_xvfb 1280x1024x24
start_sound  # a mixer: no message box at start
export REELBOX_AO=null QT_LOGGING_RULES="reelbox.videocd.debug=true;reelbox.playlist.debug=true"
app=$(copy_program "$program")
(cd "$work/app" && exec "$app" "$work/disc.cue") >"$work/log" 2>&1 &
app_pid=$!
wait_until visible Form2 || fail "no movie window"
movie=$(window_id Form2)
grep -q "tracks of $work/disc.cue/: AVSEQ01.DAT, AVSEQ02.DAT\$" "$work/log" ||
  fail "the tracks were not listed: $(cat "$work/log")"
shows_slowly a || fail "the movie window does not show track 1's first picture"
apart=$(mae "$work/a-first.png" "$work/b-first.png")
awk -v d="$(shot_mae b)" -v a="$apart" 'BEGIN {exit !(d > a / 2)}' || fail "the picture looks like track 2"

"$drag_files" "$work/dropped.mpg" "$work/notes.txt" "$work/other.mpg" >"$work/drag.log" 2>&1 &
drag_pid=$!
trap 'kill $drag_pid 2>/dev/null || true; cleanup' EXIT
wait_until visible drag_files || fail "no drag source window"
read -r mx my <<<"$(window_origin "$movie")"
xdotool mousemove 60 60 mousedown 1
# The drag starts on the press; the pointer then travels to the movie window in steps, as a
# hand would, and lets go there.
for step in 1 2 3 4 5 6 7 8; do
  xdotool mousemove $((60 + (mx + 170 - 60) * step / 8)) $((60 + (my + 130 - 60) * step / 8))
  sleep 0.05
done
xdotool mouseup 1
wait_until grep -q "drop: added 2 of 3 files" "$work/log" ||
  fail "the drop did not add two of three files: $(cat "$work/log" "$work/drag.log")"
shows_slowly dropped || fail "the movie window does not show the first dropped movie"
kill -TERM "$app_pid"
wait "$app_pid" || true
app_pid=""
echo "ok"
