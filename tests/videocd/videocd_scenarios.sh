# The real program started with a Video-CD image (made by ffmpeg and vcdimager; tests/support/
# scenarios.sh runs this): the movie window shows the first track's first picture, read raw from
# the image (the tracks an image lists are disc_image_test's, the playlist they make
# video_cd_test's). Then another program drops three files onto the movie window by a real X11
# drag (XDND, tests/support's drag_files pressed and dragged by xdotool): the two movies are added,
# the text file is skipped, and the first dropped movie's first picture shows.
# Checks: disc_load.cpp (src/videocd); file_drop.cpp (src/controls); form1_wiring.cpp (src/app);
# add_files.cpp (src/playlist); linux_drive_table.cpp, cue_image.cpp, disc.cpp (src/platform/cdio);
# disc_track_stream.cpp (src/platform/mpv).
disc_image() {
  make_clip a testsrc 2
  make_clip b smptebars 2
  make_clip dropped testsrc2 2
  make_clip other rgbtestsrc 2
  echo "not a movie" >"$work/notes.txt"
  (cd "$work" && vcdimager -t vcd2 -l XVFBDISC -c disc.cue -b disc.bin a.mpg b.mpg >/dev/null)
  QT_LOGGING_RULES="reelbox.playlist.debug=true" run_app "$work/disc.cue"
  wait_for "no movie window" visible "$movie_window"
  shows a b

  drop_files "$work/dropped.mpg" "$work/notes.txt" "$work/other.mpg"
  wait_until grep -q "drop: added 2 of 3 files" "$work/log" ||
    fail "the drop did not add two of three files: $(cat "$work/drag.log")"
  shows dropped
  end_app disc_image
}
