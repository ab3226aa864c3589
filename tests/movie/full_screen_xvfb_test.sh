#!/usr/bin/env bash
# The real program on a 1280x1024 X server, bare or under openbox: a double press on the picture
# makes the movie window cover the whole screen, black, with the picture at 10,43 1258x944; another
# gives the window back exactly. The clip is plain red: the picture is wherever the screen is red.
#   full_screen_xvfb_test.sh bare|wm <path of reelbox>
set -euo pipefail
mode=$1
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"
ffmpeg -v error -y -f lavfi -i "color=c=red:size=352x240:rate=30000/1001" -f lavfi -i sine -t 30 \
       -target ntsc-vcd "$work/red.mpg"
start_xvfb 1280x1024x24
start_sound  # a mixer: no message box at start
if [[ $mode == wm ]]; then start_wm; fi
app=$(copy_program "$2")
(cd "$work/app" && REELBOX_AO=null exec "$app" "$work/red.mpg") >"$work/log" 2>&1 &
app_pid=$!

until_ok() { for _ in $(seq 100); do eval "$1" && return 0; sleep 0.2; done; fail "$2"; }
geometry() { xwininfo -id "$movie" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                                         /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'; }
# "r" for each red point, "k" for each black one, "?" otherwise.
colours() {
  local format=""
  for p in "$@"; do format+="%[pixel:p{$p}] "; done
  import -window root png:- | convert - -format "$format" info: | tr -d 'srgb()' |
    awk -F, -v RS=' ' 'NF == 3 {printf "%s", ($1 > 150 && $2 < 90 && $3 < 90) ? "r" : ($1 + $2 + $3 < 90) ? "k" : "?"}'
}
# Whether the window's state asks for full screen (a window manager keeps it there while it agrees).
full_state() { xprop -id "$movie" _NET_WM_STATE | grep -c _NET_WM_STATE_FULLSCREEN || true; }

until_ok 'movie=$(xdotool search --onlyvisible --name "^Form2$" 2>/dev/null | head -1); [[ -n $movie ]]' "no movie window"
read -r mx my _ _ <<<"$(geometry)"
until_ok '[[ $(colours $((mx + 20)),$((my + 20))) == r ]]' "no picture"
before=$(geometry)
for round in 1 2; do
  xdotool mousemove $((mx + 60)) $((my + 60)) click --repeat 2 --delay 60 1
  until_ok '[[ $(geometry) == "0 0 1280 1024" && $(full_state) == 1 ]]' "round $round: not full screen"
  # The picture's four corners, then one pixel outside each of its edges.
  until_ok '[[ $(colours 11,44 1266,44 11,985 1266,985 9,500 1268,500 600,42 600,987) == rrrrkkkk ]]' \
    "round $round: the picture is not at 10,43 1258x944 on black"
  xdotool mousemove 640 500 click --repeat 2 --delay 60 1
  until_ok '[[ $(geometry) == "$before" && $(full_state) == 0 ]]' "round $round: not back at $before"
  until_ok '[[ $(colours $((mx + 20)),$((my + 20))) == r ]]' "round $round: no picture after leaving"
done
echo "ok ($mode)"
