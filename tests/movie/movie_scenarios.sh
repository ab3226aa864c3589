# The movie window of the real program on a desktop (tests/support/scenarios.sh runs these). The
# clip is plain red: the picture is wherever the screen is red.
# Checks: full_screen.cpp, form2_mouse.cpp, geometry_helpers.cpp (src/movie); form1.cpp,
# form_unload.cpp (src/app); x11_wm_state.cpp, wm_state_keeper.cpp, x11_screen_saver.cpp
# (src/platform/linux).

# "r" for each red point, "k" for each black one, "?" otherwise.
colours() {
  local format="" p
  for p in "$@"; do format+="%[pixel:p{$p}] "; done
  import -window root png:- | convert - -format "$format" info: | tr -d 'srgb()' |
    awk -F, -v RS=' ' 'NF == 3 {printf "%s", ($1 > 150 && $2 < 90 && $3 < 90) ? "r" : ($1 + $2 + $3 < 90) ? "k" : "?"}'
}
red_at() { [[ $(colours "$1,$2") == r ]]; }
# text_in X Y W H COLOUR: whether the area holds some text in blue (b) or white (w).
text_in() {
  import -window root -crop "$3x$4+$1+$2" +repage -depth 8 txt:- | awk -F'[(),]' -v c="$5" \
    'NR > 1 {n += c == "b" ? $5 > 150 && $3 < 90 && $4 < 90 : $3 > 200 && $4 > 200 && $5 > 200} END {exit n < 5}'
}
strip_blue() { text_in "$mx" $((my + mh - 14)) "$mw" 14 b; }
geometry_is() { [[ $(geometry "$movie") == "$1" ]]; }
# Whether the window's state asks for full screen (a window manager keeps it there while it agrees).
full_state() { xprop -id "$movie" _NET_WM_STATE | grep -c _NET_WM_STATE_FULLSCREEN || true; }
# start_movie NAME: the program on the red clip, its picture shown; $movie and its "$mx $my $mw $mh".
start_movie() {
  [[ -s $work/red.mpg ]] || make_clip red color=c=red 60
  start_app "$1" "$work/red.mpg"
  # The movie window stands beside the control window's frame.
  wait_for "$1: the movie window is not beside the control window's frame" beside_frame
  movie=$(window_id "$movie_window")
  read -r mx my mw mh <<<"$(geometry "$movie")"
  wait_for "$1: no picture" red_at $((mx + 20)) $((my + 20))
}
double_click_picture() { xdotool mousemove --sync $((mx + 60)) $((my + 60)) click --repeat 2 --delay 60 1; }
leave_full_screen() {  # NAME: Esc gives the window back exactly
  xdotool key Escape
  wait_for "$1: Esc did not leave full screen" geometry_is "$mx $my $mw $mh"
}

# A double press on the picture makes the movie window cover the whole screen, black, with the
# picture at 10,43 1258x944 and the name in white at the top right; another gives the window back
# exactly, the name in blue below the picture as at start.
full_screen() {
  start_movie full_screen
  wait_for "full screen: the name below the picture is not blue at start" strip_blue
  for round in 1 2; do
    double_click_picture
    wait_for "full screen $round: not covering the screen: $(geometry "$movie")" \
      eval '[[ $(geometry "$movie") == "0 0 1280 1024" && $(full_state) == 1 ]]'
    # The picture's four corners, then one pixel outside each of its edges.
    wait_for "full screen $round: the picture is not at 10,43 1258x944 on black" \
      eval '[[ $(colours 11,44 1266,44 11,985 1266,985 9,500 1268,500 600,42 600,987) == rrrrkkkk ]]'
    wait_for "full screen $round: the name is not white at the top right" text_in 1000 0 280 14 w
    xdotool mousemove 640 500 click --repeat 2 --delay 60 1
    wait_for "full screen $round: not back at $mx $my $mw $mh: $(geometry "$movie")" \
      eval '[[ $(geometry "$movie") == "$mx $my $mw $mh" && $(full_state) == 0 ]]'
    wait_for "full screen $round: no picture after leaving" red_at $((mx + 20)) $((my + 20))
    wait_for "full screen $round: the name is not blue after leaving" strip_blue
  done
  stop_app full_screen
}

# A double click on the window's own margin toggles full screen, Esc leaves it, and a drag from
# the margin moves the window.
surface() {
  start_movie surface
  xdotool mousemove --sync $((mx + 4)) $((my + mh / 2)) click --repeat 2 --delay 60 1
  wait_for "surface: not full screen" geometry_is "0 0 1280 1024"
  leave_full_screen surface
  xdotool mousemove --sync $((mx + 4)) $((my + mh / 2)) mousedown 1
  for step in 5 10 20 40 60 80 100; do xdotool mousemove --sync $((mx + 4 + step)) $((my + mh / 2)); done
  xdotool mouseup 1
  wait_for "surface: the drag did not move the window" eval '(( $(geometry "$movie" | cut -d" " -f1) > mx + 50 ))'
  stop_app surface
}

# Full screen parks the idle cursor at the top right edge and leaves it there: the jump is no
# movement of the user's. Esc comes after the jump, so once full screen has ended the program has
# seen the jump. Leaving ends the parking: the pointer moved over the strip stays where it is put
# (the popup opened there afterwards comes after any jump the moves could cause).
pointer_at() { [[ $(xdotool getmouselocation | awk '{print $1, $2}') == "x:$1 y:$2" ]]; }
parking() {
  start_movie parking
  double_click_picture
  wait_for "parking: not full screen" geometry_is "0 0 1280 1024"
  for x in 300 600 900; do xdotool mousemove --sync "$x" 1000; done  # across the strip
  wait_tenths=200 wait_for "parking: the cursor was not parked" pointer_at 1279 2
  leave_full_screen parking
  pointer_at 1279 2 || fail "parking: the cursor left its place: $(xdotool getmouselocation)"
  local sy=$((my + mh - 6))
  xdotool mousemove --sync $((mx + 40)) $sy click 3
  wait_for "parking: no popup over the strip" menu_shown
  xdotool key Escape
  pointer_at $((mx + 40)) $sy || fail "parking: parked after leaving: $(xdotool getmouselocation)"
  stop_app parking
}

# The window manager's close (Alt+F4) leaves the movie window and its picture as they were; on the
# control window it ends the program.
close_requests() {
  start_movie close_requests
  xdotool windowactivate --sync "$movie" key --clearmodifiers alt+F4
  double_click_picture  # after the close request: full screen shows the picture
  wait_for "close requests: not full screen" geometry_is "0 0 1280 1024"
  wait_for "close requests: no picture in full screen" red_at 640 512
  leave_full_screen "close requests"
  xdotool windowactivate --sync "$(window_id ReelBox)" key --clearmodifiers alt+F4
  exited "close requests: by the control window"
  [[ $(saver_timeout) == 321 ]] || fail "close requests: screen saver $(saver_timeout)"
}

# The window manager dies and another starts: both windows are still there.
wm_restart() {
  start_app wm_restart
  kill "$wm_pid"
  wait "$wm_pid" 2>/dev/null || true
  wait_for "WM gone: a window went with it" both_viewable
  if [[ $desktop == openbox ]]; then start_wm; else start_xfwm4; fi
  wait_for "WM back: a window is gone" both_viewable
  stop_app wm_restart
}
