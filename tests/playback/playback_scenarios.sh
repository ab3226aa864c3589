# The real program started with two clips shows the first picture of the first clip inside its
# movie window, and not the other clip's (tests/support/scenarios.sh runs this).
# Checks: open_list_item.cpp (src/playback); mpv_engine.cpp (src/platform/mpv).
first_picture() {
  make_clip a testsrc 2
  make_clip b smptebars 2
  run_app "$work/a.mpg" "$work/b.mpg"
  wait_for "no movie window" visible "$movie_window"
  shows a b
  end_app first_picture
}
