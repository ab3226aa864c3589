#!/usr/bin/env bash
# The real program under Xvfb takes a drop of three files from another program onto its movie
# window: the two movies are added in the drop's order, the text file is skipped, and the first
# movie is opened (its first picture shows in the movie window). The drop is a real X11 drag
# (XDND) from a small Qt program, tests/playlist/drag_files.cpp, whose window xdotool presses and
# drags from onto the movie window.
#   drop_xvfb_test.sh <path of reelbox> <path of drag_files>
set -euo pipefail
program=$1
drag_files=$2
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"
mae() { { compare -metric MAE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'; }
wait_for() {  # wait_for SECONDS COMMAND...: until the command succeeds
  local tries=$(($1 * 10)); shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}

clip() { ffmpeg -v error -y -f lavfi -i "$1=size=352x240:rate=30000/1001" -f lavfi -i sine -t 2 \
                -target ntsc-vcd "$2"; }
clip testsrc "$work/first.mpg"
clip smptebars "$work/second.mpg"
echo "not a movie" >"$work/notes.txt"
ffmpeg -v error -y -i "$work/first.mpg" -frames:v 1 -vf scale=320:240 "$work/first.png"

start_xvfb 1280x1024x24
start_sound  # a mixer: no message box at start
export REELBOX_AO=null
export QT_LOGGING_RULES="reelbox.playlist.debug=true"
app=$(copy_program "$program")
(cd "$work/app" && exec "$app") >"$work/log" 2>&1 &
app_pid=$!
movie_window() { xdotool search --onlyvisible --name '^Form2$' 2>/dev/null | head -1; }
has_movie_window() { [[ -n $(movie_window) ]]; }
wait_for 20 has_movie_window || fail "no movie window"
movie=$(movie_window)

"$drag_files" "$work/first.mpg" "$work/notes.txt" "$work/second.mpg" >"$work/drag.log" 2>&1 &
drag_pid=$!
trap 'kill $drag_pid 2>/dev/null || true; cleanup' EXIT
has_source_window() { [[ -n $(xdotool search --onlyvisible --name '^drag_files$' 2>/dev/null) ]]; }
wait_for 20 has_source_window || fail "no drag source window"

read -r mx my <<<"$(window_origin "$movie")"
xdotool mousemove 60 60 mousedown 1
# The drag starts on the press; the pointer then travels to the movie window in steps, as a
# hand would, and lets go there.
for step in 1 2 3 4 5 6 7 8; do
  xdotool mousemove $((60 + (mx + 170 - 60) * step / 8)) $((60 + (my + 130 - 60) * step / 8))
  sleep 0.05
done
xdotool mouseup 1

wait_for 20 grep -q "drop: added 2 of 3 files" "$work/log" || { cat "$work/log" "$work/drag.log" >&2; fail "the drop did not add two of three files"; }
# The first movie's first picture: look until it stands, for up to 10 s.
shows_first() {
  read -r mx my <<<"$(window_origin "$movie")"
  import -window root -crop "320x240+$((mx + 10))+$((my + 10))" +repage "$work/shot.png"
  awk -v d="$(mae "$work/shot.png" "$work/first.png")" 'BEGIN {exit !(d < 0.05)}'
}
wait_for 10 shows_first || fail "the movie window does not show the first dropped movie"
echo "ok"
