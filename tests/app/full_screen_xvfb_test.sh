#!/usr/bin/env bash
# The real program on a 1280x1024 X server (with a window manager when the first argument is
# "wm"): a double press on the picture makes the movie window cover the whole screen, black, with
# the picture at its full-screen rectangle; another gives the window back exactly.
#   full_screen_xvfb_test.sh [wm|bare] <path of reelbox>
set -euo pipefail
mode=$1
program=$2
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"

# A red Video-CD clip: the picture is wherever the screen is red.
ffmpeg -v error -y -f lavfi -i "color=c=red:size=352x240:rate=30000/1001" -f lavfi -i sine -t 30 \
       -target ntsc-vcd "$work/red.mpg"

start_xvfb 1280x1024x24
if [[ $mode == wm ]]; then
  openbox --sm-disable >/dev/null 2>&1 &
  wm_pid=$!
  trap 'kill $wm_pid 2>/dev/null || true; cleanup' EXIT
  for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
fi
export REELBOX_AO=null
app=$(copy_program "$program")
(cd "$work/app" && exec "$app" "$work/red.mpg") >"$work/log" 2>&1 &
app_pid=$!

geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                                      /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'; }
# The colour of each listed point of the screen as r,g,b.
colours() {
  local format=""
  for p in "$@"; do format+="%[pixel:p{$p}] "; done
  import -window root png:- | convert - -format "$format" info: | sed 's/srgb(\([^)]*\))/\1/g'
}
red() { awk -F, '{exit !($1 > 150 && $2 < 90 && $3 < 90)}' <<<"$1"; }
black() { awk -F, '{exit !($1 < 40 && $2 < 40 && $3 < 40)}' <<<"$1"; }
# Waits (up to 20 s) until the command succeeds.
until_ok() { for _ in $(seq 100); do "$@" && return 0; sleep 0.2; done; return 1; }

movie=""
until_ok eval 'movie=$(xdotool search --onlyvisible --name "^Form2$" 2>/dev/null | head -1); [[ -n $movie ]]' || fail "no movie window"
picture_shown() { read -r mx my _ _ <<<"$(geometry "$movie")"; red "$(colours "$((mx + 20)),$((my + 20))")"; }
until_ok picture_shown || fail "no picture in the movie window"
before=$(geometry "$movie")
read -r mx my _ _ <<<"$before"

# Inside the picture's four corners red; one pixel outside each edge black (10,43 1258x944).
fitted() {
  local c
  read -r -a c <<<"$(colours 11,44 1266,44 11,985 1266,985 9,500 1268,500 600,42 600,987)"
  red "${c[0]}" && red "${c[1]}" && red "${c[2]}" && red "${c[3]}" &&
    black "${c[4]}" && black "${c[5]}" && black "${c[6]}" && black "${c[7]}"
}
full_state() { [[ $mode == bare ]] || xprop -id "$movie" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }

for round in 1 2; do
  xdotool mousemove $((mx + 60)) $((my + 60)) click --repeat 2 --delay 60 1
  until_ok eval '[[ $(geometry "$movie") == "0 0 1280 1024" ]]' ||
    fail "round $round: full screen is $(geometry "$movie")"
  until_ok full_state || fail "round $round: the window manager was not asked for full screen"
  until_ok fitted || fail "round $round: the picture is not at 10,43 1258x944 on black"

  xdotool mousemove 640 500 click --repeat 2 --delay 60 1
  until_ok eval '[[ $(geometry "$movie") == "$before" ]]' ||
    fail "round $round: back at $(geometry "$movie"), was $before"
  until_ok picture_shown || fail "round $round: no picture after leaving"
  ! xprop -id "$movie" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN || fail "round $round: still full screen"
  [[ $(geometry "$movie") == "$before" ]] || fail "round $round: moved after leaving: $(geometry "$movie")"
done
echo "ok ($mode)"
