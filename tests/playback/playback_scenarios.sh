# The real program started with two clips shows the first picture of the first clip inside its
# movie window, and not the other clip's (tests/support/scenarios.sh runs this). The first one's
# name holds a double quote and Shift-JIS bytes (not UTF-8).
# Checks: open_list_item.cpp (src/playback); mpv_engine.cpp (src/platform/mpv); main.cpp,
# command_line.cpp (src/app).
first_picture() {
  local a
  a=$(printf 'q"\x93\xfa\x96\x7b')
  make_clip "$a" testsrc 2
  make_clip b smptebars 2
  run_app "$work/$a.mpg" "$work/b.mpg"
  wait_for "no movie window" visible Form2
  shows "$a" b
  end_app first_picture
}
