# The real program started with two clips shows the first picture of the first clip inside its
# movie window, and not the other clip's. The first one's name holds a double quote and Shift-JIS
# bytes (not UTF-8). Today's containers come in as a user brings them: an MP4 on the command line,
# a Matroska file dropped by a file manager, a WebM file opened by the media controls; each shows
# its picture (tests/support/scenarios.sh runs this).
# Checks: open_list_item.cpp (src/playback); mpv_engine.cpp (src/platform/mpv); main.cpp,
# command_line.cpp, mpris_bridge.cpp (src/app); file_kind.cpp (src/playlist).
first_picture() {
  local a
  a=$(printf 'q"\x93\xfa\x96\x7b')
  make_clip "$a" testsrc 2
  make_clip b smptebars 2
  run_app "$work/$a.mpg" "$work/b.mpg"
  wait_for "no movie window" visible "$movie_window"
  shows "$a" b
  end_app first_picture
  for clip in "c testsrc2 2 mp4" "d rgbtestsrc 2 mkv" "e smptehdbars 2 webm"; do make_clip $clip; done
  run_app "$work/c.mp4"
  wait_for "no movie window" visible "$movie_window"
  shows c
  drop_files "$work/d.mkv"
  shows d c
  [[ $(mpris_call OpenUri "string:file://$work/e.webm") == ok ]] || fail "OpenUri of a WebM file"
  shows e d
  end_app todays_containers
}
