# The desktop's master volume (the default sink of a real sound server behind ALSA's default
# device, read with pactl from outside) under the real program (tests/support/scenarios.sh runs
# these).
# Checks: master_volume.cpp (src/audio); main.cpp, form_unload.cpp (src/app); tray.cpp (src/shell);
# alsa_mixer.cpp, pulse_sink_volume.cpp, qt_tray_icon.cpp, termination_signals.cpp,
# x11_server_lost.cpp (src/platform/linux); mpv_engine.cpp (src/platform/mpv).

# The program started on the volume VOLUME and the volume moved: by a click on the slider, or
# without input, by the slider's own rounding at start.
moved_from() {
  pactl set-sink-volume @DEFAULT_SINK@ $1
  start_app "$2"
  [[ $desktop == weston ]] || click_slider
  wait_for "$2: the slider did not move the volume" eval '! sink_is "$1"'
}
# 150 %: the slider shows its top while the program runs, and the volume stays as it is until
# the slider moves it; the server's own value comes back.
volume_150() {
  pactl set-sink-volume @DEFAULT_SINK@ 98304 49152
  start_app volume_150
  sink_is "98304 49152" || fail "volume_150: turned to $(sink_volume) at start"
  if [[ $desktop != weston ]]; then
    click_slider
    wait_for "volume_150: the slider did not move the volume" eval '! sink_is "98304 49152"'
  fi
  stop_app volume_150 "98304 49152"
}
sigterm() {
  moved_from "40000 20000" sigterm
  stop_app sigterm "40000 20000"
}
# PulseAudio stops and PipeWire takes its place: the slider moves the new server's volume, and
# the value found at start is put back there.
sound_replaced() {
  moved_from "40000 20000" sound_replaced
  kill "$sound_pid"
  wait "$sound_pid" 2>/dev/null || true
  rm -rf "$XDG_RUNTIME_DIR/pulse"
  start_pipewire
  pactl set-sink-volume @DEFAULT_SINK@ 30000
  click_slider
  wait_for "the slider does not follow the new server" eval '! sink_is "30000 30000"'
  stop_app sound_replaced "40000 20000"
  ! grep -i 'alsa\|pulse\|snd_' "$work/log" || fail "sound chatter after the server was replaced"
}
# A movie playing is a stream of the program's name and icon in the desktop's sound settings.
stream_is() { pactl list sink-inputs | grep -q "application.$1 = \"$2\""; }
sound_stream() {
  [[ -s $work/red.mpg ]] || make_clip red color=c=red 60
  start_app sound_stream "$work/red.mpg"
  wait_tenths=600 wait_for "sound stream: the movie does not play" eval 'pc play; is Playing status'
  wait_for "sound stream: no stream named ReelBox: $(pactl list sink-inputs)" stream_is name ReelBox
  stream_is icon_name reelbox || fail "sound stream: not the program's icon: $(pactl list sink-inputs)"
  stop_app sound_stream
}

# The X server goes away under the program: it ends, the volume as found. The screen saver's
# setting went with that server. First while start-up's "NO Video-CD" box is up (the start-up
# write, 39999, done), then on a new server while the program runs.
killed_x() {
  local when
  for when in box running; do
    if [[ $when == box ]]; then
      pactl set-sink-volume @DEFAULT_SINK@ 40000 20000
      printf 'FILE "damaged.bin" BINARY\n  TRACK 01 MODE2/2352\n    INDEX 01 00:00:00\n' >"$work/damaged.cue"
      head -c 2352000 /dev/zero >"$work/damaged.bin"  # no file system: not a Video-CD
      run_app "$work/damaged.cue"
      wait_tenths=300 wait_for "killed X: no box at start" \
        eval '[[ -n $(xdotool search --onlyvisible --name "^NO Video-CD$") ]]'
    else
      start_desktop "$desktop"
      moved_from "40000 20000" killed_x
    fi
    if [[ $desktop == weston ]]; then kill "$weston_pid"; else kill "$xvfb_pid"; fi
    wait_for "killed X ($when): still running" ended
    app_pid=""
    sink_is "40000 20000" || fail "killed X ($when): volume $(sink_volume)"
  done
}

# With a tray: the volume moves with the slider and every channel is put back however the program
# ends: its menu's "終了", SIGTERM, SIGINT, SIGHUP. From an uneven balance: at start the slider
# takes the loudest channel and writes it back in its own units (40000 / 3 = 13333), the balance
# kept; a click takes 4369 units off. The movie window's menu hides the control window to an icon
# in the tray, and a double click on the icon brings it back; once the tray has gone, the menu
# does both. A sound server that stops while the program runs is ignored quietly.
volume() {
  start_trayer
  for ending in menu TERM INT HUP; do
    pactl set-sink-volume @DEFAULT_SINK@ 40000 20000
    run_app
    wait_for "$ending: no control window" visible ReelBox
    wait_for "$ending: the slider did not take the master volume: $(sink_volume)" sink_is "39999 20000"
    click_slider
    wait_for "$ending: the slider did not move the master volume: $(sink_volume)" sink_is "26892 13446"
    if [[ $ending == menu ]]; then
      hide_controls
      wait_for "no tray icon" xembed_shown
      read -r ix iy <<<"$(window_origin "$(xembed_icon)")"
      ((iy < 24 && ix > 1000)) || fail "the icon is at $ix,$iy, not in the tray"
      xdotool mousemove $((ix + 8)) $((iy + 8)) click --repeat 2 --delay 80 1
      wait_for "a double click on the icon did not bring the control window back" visible ReelBox
      wait_for "the icon stayed" eval '! xembed_shown'
      movie_menu Up Return  # "終了", the last item
      exited menu
    else
      if [[ $ending == TERM ]]; then
        kill "$tray_pid"
        hide_controls
        movie_menu Down Down Return
        wait_for "without a tray: the menu did not bring the control window back" visible ReelBox
      fi
      end_app "$ending" "$ending"
    fi
    sink_is "40000 20000" || fail "$ending: master volume $(sink_volume) after the end"
  done
  run_app
  wait_for "no control window" visible ReelBox
  kill "$sound_pid"
  for _ in 1 2 3; do click_slider; done
  end_app "server gone"
  ! grep -i 'alsa\|pulse\|snd_' "$work/log" || fail "sound chatter after the server went away"
}
